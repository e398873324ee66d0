// The structure in the running program: a level of its own length, a break
// with its countdown, cues, note and announcement, next/previous and reset
// across a break, the crash file inside a break, the Blinds page's boxes in
// the tournament file, and what the display and the phone show.
#include "Display_fixture.h"

#include "forms/display/Announcer.h"
#include "forms/main_window/Money_grid.h"
#include "forms/main_window/Structure_action.h"
#include "forms/main_window/Structure_page.h"
#include "forms/widgets/Spin_box.h"
#include "model/Clock_state.h"

#include <QComboBox>
#include <QJsonArray>
#include <QTableWidget>
#include <QJsonDocument>
#include <QLabel>
#include <QJsonObject>

namespace {

class Structure_Clock_Test : public Display_Fixture {
protected:
    QString bell, chime;

    // Levels of 2 minutes; level 2 lasts 3 and has an ante of 20 (big blind
    // ante); a 1-minute break with a note after level 1.
    void Start_With_Break(const QByteArray& more = QByteArray(), const QString& sound = QString())
    {
        bell = Sound_File(QStringLiteral("bell.wav"));
        chime = Sound_File(QStringLiteral("chime.wav"));
        Start_Tourney("Sound=" + (sound.isEmpty() ? bell : sound).toUtf8() + "\nWarning=" + chime.toUtf8() + "\n" + Chips_And_Prizes()
                          + "[Structure]\nMinutes1=3\nAnte1=20\nBreak0=1\nBreak Note0=Colour up the 5s\n" + more,
                      2, 6, 0);
        form->Level_Announcer()->Set_Monotonic_Clock([] { return qint64(0); });
        form->Announce_Levels->trigger();
    }
    QString Said()
    {
        player->playing = false;
        form->Level_Announcer()->Pump();
        const QString last = voice->said.isEmpty() ? QString() : voice->said.last();
        voice->Finish();
        return last;
    }
    QString Kept_Clock() const { return QString::fromUtf8(folder.Read(QStringLiteral("Data/Default.clock"))); }
    QJsonObject Phone() const { return QJsonDocument::fromJson(form->Phone_State()).object(); }
    // A text of the players' display as painted now.
    QString Text_Of(const QString& role)
    {
        TPlayers_Display* display = form->Display_Window() ? form->Display_Window() : Open_Display();
        Frame(display, QSize(1280, 720));
        const Display_Text* t = Text(display->Last_Frame(), role);
        return t ? t->text : QStringLiteral("<none>");
    }
};

TEST_F(Structure_Clock_Test, ABreakRunsItsOwnCountdownBetweenTwoLevelsWithCuesNoteAndVoice)
{
    Start_With_Break();
    form->Toggle_Start->trigger();
    Tick(120);
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:00"));
    EXPECT_EQ(player->played, QStringList{chime});

    // Level 1 ends: the level cue, then the break of 1 minute, running on.
    Tick();
    EXPECT_EQ(player->played, (QStringList{chime, bell}));
    EXPECT_TRUE(form->In_Break);
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(form->Clock.Paused, 0);
    EXPECT_EQ(form->Level_Label->text(), QStringLiteral("BREAK"));
    EXPECT_EQ(form->Structure_Shown->Break_Label->text(), QStringLiteral("Break, then level 2: Colour up the 5s"));
    EXPECT_TRUE(form->Structure_Shown->Break_Label->isVisibleTo(form->Action_Sheet));
    // The blinds shown are those of the level that follows.
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("10"));
    EXPECT_EQ(form->Big_Blind2->text(), QStringLiteral("20"));
    EXPECT_EQ(Said(), QStringLiteral("Break, 1 minute. Colour up the 5s."));
    EXPECT_TRUE(Kept_Clock().contains(QStringLiteral("Level=1\n")));
    EXPECT_TRUE(Kept_Clock().contains(QStringLiteral("Break=1\n")));

    // The phone and the display show the break.
    const QJsonObject phone = Phone();
    EXPECT_TRUE(phone.value(QStringLiteral("break")).toBool());
    EXPECT_EQ(phone.value(QStringLiteral("note")).toString(), QStringLiteral("Colour up the 5s"));
    EXPECT_EQ(phone.value(QStringLiteral("sb")).toInt(), 10);
    EXPECT_EQ(phone.value(QStringLiteral("ante")).toString(), QStringLiteral("BB ante 20"));
    TPlayers_Display* display = Open_Display();
    ASSERT_NE(display, nullptr);
    Frame(display, QSize(1280, 720));
    const Display_Text* level = Text(display->Last_Frame(), QStringLiteral("level"));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->text, QStringLiteral("BREAK, then level 2"));
    const Display_Text* note = Text(display->Last_Frame(), QStringLiteral("next"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text, QStringLiteral("Colour up the 5s"));
    ASSERT_NE(Text(display->Last_Frame(), QStringLiteral("ante")), nullptr);

    // The break's minute counts down without a warning; then the level cue
    // and level 2 with its own three minutes and its ante.
    Tick(60);
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:00"));
    EXPECT_EQ(player->played.size(), 2);
    Tick();
    EXPECT_EQ(player->played, (QStringList{chime, bell, bell}));
    EXPECT_FALSE(form->In_Break);
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("3:00"));
    EXPECT_EQ(form->Level_Label->text(), QStringLiteral("Level 2 of 20"));
    EXPECT_FALSE(form->Structure_Shown->Break_Label->isVisibleTo(form->Action_Sheet));
    EXPECT_EQ(form->Structure_Shown->Ante_Label->text(), QStringLiteral("BB ante 20"));
    EXPECT_EQ(Said(), QStringLiteral("Level 2. Blinds 10 and 20, big blind ante 20."));
    EXPECT_FALSE(Kept_Clock().contains(QStringLiteral("Break=")));
    Tick(120); // 1:00 of level 2: its warning
    EXPECT_EQ(player->played.last(), chime);
    Tick(61);  // level 3 goes back to the tournament's two minutes
    EXPECT_EQ(form->CurrentLevel, 2);
    EXPECT_EQ(Shown_Time(), QStringLiteral("2:00"));
}

TEST_F(Structure_Clock_Test, APlaylistGoesOnAtABreaksEndAndTheNextLevelsLengthIsShown)
{
    QStringList songs;
    for (const char* name : {"one.wav", "two.wav", "three.wav", "four.wav"})
        songs << Sound_File(QString::fromLatin1(name));
    const QString list = folder.Write(QStringLiteral("Sounds/night.m3u"), songs.join(QLatin1Char('\n')).toUtf8());
    Start_With_Break(QByteArray(), list);
    // Level 1 is followed by level 2 of its own three minutes.
    EXPECT_EQ(Text_Of("next"), QStringLiteral("10 / 20, BB ante 20, 3 min"));
    EXPECT_EQ(Phone().value(QStringLiteral("next")).toObject().value(QStringLiteral("minutes")).toInt(), 3);
    form->Toggle_Start->trigger();
    Tick(121); // level 1 ends: the first song
    Tick(61);  // the break ends: the second
    Tick(181); // level 2 ends: the third
    EXPECT_EQ(player->played, (QStringList{chime, songs[0], songs[1], chime, songs[2]}));
    EXPECT_EQ(form->CurrentLevel, 2);
}

TEST_F(Structure_Clock_Test, NextPreviousAndResetWalkLevelsAndBreaks)
{
    Start_With_Break();
    auto where = [this] { return std::make_pair(int(form->CurrentLevel), form->In_Break); };
    form->Next_Blind->trigger();
    EXPECT_EQ(where(), std::make_pair(0, true));
    EXPECT_EQ(form->Level_Label2->text(), QStringLiteral("BREAK, THEN 2"));
    form->Reset_Timer->trigger(); // stopped: the break's full length
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    form->Next_Blind->trigger();
    EXPECT_EQ(where(), std::make_pair(1, false));
    form->Reset_Timer->trigger();
    EXPECT_EQ(Shown_Time(), QStringLiteral("3:00"));
    form->Prev_Blind->trigger();
    EXPECT_EQ(where(), std::make_pair(0, true));
    form->Prev_Blind->trigger();
    form->Prev_Blind->trigger();
    EXPECT_EQ(where(), std::make_pair(0, false));
    // A page switch keeps a paused clock's time left, in a break too.
    form->Next_Blind->trigger();
    form->Reset_Timer->trigger();
    form->Toggle_Start->trigger();
    Tick(5);
    form->Toggle_Start->trigger();
    form->SpeedButtonClick(1);
    form->SpeedButtonClick(0);
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:55"));
    EXPECT_TRUE(form->In_Break);
}

// Next and Previous as the host presses them mid-level: a break entered by a
// move shows its own full length, so does a level entered from a break,
// moves between two levels keep the time left, and a page switch changes
// nothing of what the clock shows.
TEST_F(Structure_Clock_Test, AMoveIntoOrOutOfABreakStartsItAtItsOwnLength)
{
    Start_With_Break();
    form->Toggle_Start->trigger();
    Tick(30); // 1:30 of level 1
    struct Step {
        QAction* move;
        const char* shown;
    };
    const Step steps[] = {
        {form->Next_Blind, "1:00"}, // into the break, running
        {form->Next_Blind, "3:00"}, // out of it: level 2 at its full three minutes
        {form->Next_Blind, "2:50"}, // level 3: the time left goes along (10 s ticked below)
        {form->Prev_Blind, "2:50"}, // back to level 2, keeping it
        {form->Prev_Blind, "1:00"}, // back into the break
        {form->Prev_Blind, "2:00"}, // level 1 from the break: full again
    };
    for (const Step& step : steps) {
        if (step.move == form->Next_Blind && !form->In_Break && form->CurrentLevel == 1)
            Tick(10);
        step.move->trigger();
        EXPECT_EQ(Shown_Time(), QString::fromLatin1(step.shown)) << step.shown;
        form->Toggle_Start->trigger(); // stopped, a page switch leaves it alone
        form->SpeedButtonClick(1);
        form->SpeedButtonClick(0);
        EXPECT_EQ(Shown_Time(), QString::fromLatin1(step.shown)) << "after a page switch";
        form->Toggle_Start->trigger();
    }
}

// A break taken off the schedule while the room is in it is over: the clock
// goes on to the level after it, never back to the level before.
TEST_F(Structure_Clock_Test, ABreakTakenOffWhileInItLeadsToTheNextLevel)
{
    Start_With_Break();
    form->Toggle_Start->trigger();
    Tick(2 * 60 + 1 + 20); // level 1 over, 0:40 left in the break
    ASSERT_TRUE(form->In_Break);
    form->Toggle_Start->trigger();
    form->SpeedButtonClick(2);
    form->Structure_Extras->Break_Edit[0]->clear();
    form->SpeedButtonClick(0);
    EXPECT_FALSE(form->In_Break);
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("3:00"));
    EXPECT_EQ(form->Big_Blind->text(), QString::number(form->Current_Tourney->Blinds[1].BB));
}

// A length changed while the clock runs is taken at the next start of the
// level: stopping later and switching pages keeps the time left.
TEST_F(Structure_Clock_Test, ALengthChangedWhileRunningNeverResetsTheClockAtALaterPageSwitch)
{
    Start_With_Break();
    form->Toggle_Start->trigger();
    Tick(30);
    form->SpeedButtonClick(2);
    form->Structure_Extras->Minutes_Edit[0]->setText(QStringLiteral("5"));
    form->SpeedButtonClick(0);
    form->Toggle_Start->trigger();
    form->SpeedButtonClick(1);
    form->SpeedButtonClick(0);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:30"));
    form->Reset_Timer->trigger();
    EXPECT_EQ(Shown_Time(), QStringLiteral("5:00"));
}

// A dinner break of two hours is shown whole, and its last minute is said to
// be the break's.
TEST_F(Structure_Clock_Test, ADinnerBreakIsShownWholeAndItsLastMinuteIsTheBreaks)
{
    Start_With_Break("Break2=120\nBreak Note2=Dinner\n");
    EXPECT_EQ(form->Current_Tourney->Structure.Levels[2].Break_Minutes, 120);
    for (int i = 0; i < 4; ++i)
        form->Next_Blind->trigger();
    ASSERT_TRUE(form->In_Break);
    EXPECT_EQ(Shown_Time(), QStringLiteral("120:00"));
    for (const QLabel* label : {form->Blind_Timer, form->Blind_Timer2})
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    form->Toggle_Start->trigger();
    Tick(119 * 60);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(player->played.last(), chime);
    EXPECT_EQ(Said(), QStringLiteral("One minute left in the break."));
    Tick(61);
    EXPECT_EQ(form->Blind_Timer->font().pixelSize(), 187); // four digits: the design's size again
}

TEST_F(Structure_Clock_Test, ACrashInsideABreakIsOfferedBackInTheBreak)
{
    Clock_State state;
    state.Tourney = QStringLiteral("Default.trn");
    state.Level = 0;
    state.Break = true;
    state.Minutes = 0;
    state.Seconds = 42;
    state.Running = true;
    state.Saved = QDateTime::currentDateTimeUtc();
    folder.Write(QStringLiteral("Data/Default.clock"), Clock_State_Bytes(state));
    script.answers.push_back(Answer::Yes);
    Start_With_Break();
    ASSERT_FALSE(script.messages.empty());
    EXPECT_TRUE(script.messages.front().text.contains(QStringLiteral("in the break after level 1")));
    EXPECT_TRUE(form->In_Break);
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:42"));
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->Level_Label->text(), QStringLiteral("BREAK"));
    form->Toggle_Start->trigger();
    Tick(43);
    EXPECT_FALSE(form->In_Break);
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("3:00"));
}

// A crash inside the break of a tournament with money: the break comes back
// with the pool, the counts, the rounded payouts and every chip in play; an
// add-on in the break counts for the level before it, and none after it.
TEST_F(Structure_Clock_Test, ACrashInsideABreakWithMoneyComesBackWithTheMoney)
{
    Clock_State state;
    state.Tourney = QStringLiteral("Default.trn");
    state.Break = true;
    state.Seconds = 42;
    state.Running = true;
    state.Saved = QDateTime::currentDateTimeUtc();
    folder.Write(QStringLiteral("Data/Default.clock"), Clock_State_Bytes(state));
    script.answers.push_back(Answer::Yes);
    // Six entries of 2000 chips; P1 rebought twice. Pool: 6 x 45 + 2 x 40 + 3.
    Start_With_Break("[Money]\nBuy-in=50\nFee=5\nRebuy Price=40\nRebuy Chips=1000\nRebuy Until Level=1\n"
                     "Add-on Price=20\nAdd-on Chips=2000\nAdd-on Until Level=1\nAdded Money=3\nCurrency=$\n"
                     "Rounding=5\nPool From Entries=1\n[Money Entries]\nEntry 0=P1,X;2;0;;\n");
    ASSERT_TRUE(form->In_Break);
    ASSERT_EQ(Shown_Time(), QStringLiteral("0:42"));
    QJsonObject phone = Phone();
    EXPECT_TRUE(phone.value(QStringLiteral("break")).toBool());
    EXPECT_EQ(phone.value(QStringLiteral("note")).toString(), QStringLiteral("Colour up the 5s"));
    EXPECT_DOUBLE_EQ(phone.value(QStringLiteral("pool")).toDouble(), 353);
    // 176.5, 105.9 and 70.6 rounded down to 5; the rest goes to first.
    EXPECT_EQ(phone.value(QStringLiteral("payouts")).toArray(), (QJsonArray{178, 105, 70}));
    EXPECT_DOUBLE_EQ(phone.value(QStringLiteral("average")).toDouble(), (6 * 2000 + 2 * 1000) / 6.0);
    EXPECT_EQ(phone.value(QStringLiteral("currency")).toString(), QStringLiteral("$"));

    // The add-on window is open in the break after its last level.
    const QList<QTableWidgetItem*> row = form->All_Grid->findItems(QStringLiteral("P2,X"), Qt::MatchExactly);
    ASSERT_FALSE(row.isEmpty());
    form->All_Grid->setCurrentCell(row.first()->row(), 0);
    form->Grid_Money->Addon_Player->trigger();
    EXPECT_EQ(form->Current_Tourney->Money.Of(QStringLiteral("P2,X")).Addons, 1);
    EXPECT_DOUBLE_EQ(Phone().value(QStringLiteral("pool")).toDouble(), 373);
    EXPECT_TRUE(folder.Read(QStringLiteral("Data/Default.trn")).contains("P2,X;0;1;"));
    EXPECT_TRUE(Kept_Clock().contains(QStringLiteral("Break=1\n")));

    // The break ends: the next level is past the window.
    form->Toggle_Start->trigger();
    Tick(43);
    ASSERT_FALSE(form->In_Break);
    const size_t told = script.messages.size();
    form->All_Grid->setCurrentCell(form->All_Grid->findItems(QStringLiteral("P3,X"), Qt::MatchExactly).first()->row(), 0);
    form->Grid_Money->Addon_Player->trigger();
    EXPECT_EQ(form->Current_Tourney->Money.Of(QStringLiteral("P3,X")).Addons, 0);
    EXPECT_GT(script.messages.size(), told);
    EXPECT_DOUBLE_EQ(Phone().value(QStringLiteral("pool")).toDouble(), 373);
}

// The "[Structure]" section's lines, and the file without them.
std::pair<QByteArray, QByteArray> Split_Structure(const QByteArray& trn)
{
    const qsizetype at = trn.indexOf("[Structure]\n");
    if (at < 0)
        return {QByteArray(), trn};
    qsizetype end = trn.indexOf("\n[", at);
    end = end < 0 ? trn.size() : end + 1;
    return {trn.mid(at, end - at).trimmed(), trn.left(at) + trn.mid(end)};
}

TEST_F(Structure_Clock_Test, TheBlindsPageKeepsTheStructureInItsOwnSection)
{
    Start_With_Break();
    Structure_Page& page = *form->Structure_Extras;
    EXPECT_EQ(page.Ante_Edit[1]->text(), QStringLiteral("20"));
    EXPECT_EQ(page.Minutes_Edit[1]->text(), QStringLiteral("3"));
    EXPECT_TRUE(page.Ante_Edit[0]->text().isEmpty());
    EXPECT_FALSE(page.Break_Edit[19]->isEnabled());
    form->SpeedButtonClick(2);
    const auto [section_before, rest_before] = Split_Structure(folder.Read(QStringLiteral("Data/Default.trn")));
    EXPECT_EQ(section_before, QByteArray("[Structure]\nMinutes1=3\nAnte1=20\nBreak0=1\nBreak Note0=Colour up the 5s\n"
                                         "Ante Type=Big Blind"));

    page.Ante_Type_Combo->setCurrentIndex(1);
    page.Ante_Edit[1]->setText(QStringLiteral("5"));
    page.Ante_Edit[2]->setText(QStringLiteral("abc"));
    page.Minutes_Edit[1]->clear();
    page.Minutes_Edit[4]->setText(QStringLiteral("75"));
    page.Break_Edit[0]->clear(); // its note goes with it
    page.Break_Edit[5]->setText(QStringLiteral("15"));
    page.Note_Edit[5]->setText(QStringLiteral("Dinner"));
    form->SpeedButtonClick(2);
    const auto [section, rest] = Split_Structure(folder.Read(QStringLiteral("Data/Default.trn")));
    EXPECT_EQ(section, QByteArray("[Structure]\nAnte1=5\nAnte Type=Per Player\nMinutes4=59\nBreak5=15\n"
                                  "Break Note5=Dinner"));
    EXPECT_EQ(rest, rest_before); // the documented sections are untouched
    EXPECT_EQ(page.Ante_Edit[2]->text(), QString());
    EXPECT_EQ(page.Minutes_Edit[4]->text(), QStringLiteral("59"));
    EXPECT_TRUE(page.Note_Edit[0]->text().isEmpty());
    EXPECT_EQ(form->Current_Tourney->Structure.Ante_Type, Ante_Kind::Per_Player);
    // The narrow note box shows its whole note in its hint; eight-digit
    // amounts show whole in their boxes.
    EXPECT_EQ(page.Note_Edit[5]->toolTip(), QStringLiteral("Dinner"));
    for (QLineEdit* box : {form->SB_Edit[19], form->BB_Edit[19], page.Ante_Edit[19]}) {
        box->setText(QStringLiteral("25000000"));
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), box->contentsRect().width() - 4)
            << box->objectName().toStdString();
    }
    form->SB_Edit[19]->setText(QStringLiteral("100"));
    EXPECT_EQ(form->SB_Edit[19]->font(), form->SB_Edit[0]->font()); // short amounts keep the design's type

    // A kind of ante the file cannot read is named once.
    const size_t told = script.messages.size();
    for (int i = 0; i < 2; ++i) {
        folder.Write(QStringLiteral("Data/Default.trn"), folder.Read(QStringLiteral("Data/Default.trn"))
                                                             .replace("Ante Type=Per Player", "Ante Type=pp"));
        form->Load_Design->trigger();
    }
    ASSERT_EQ(script.messages.size(), told + 1);
    EXPECT_TRUE(script.messages.back().text.contains(QStringLiteral("\"pp\"")));
}

// The Action page, the display and the phone show the end from one
// computation in one form; a stopped clock's tick brings the Action page up
// to the time of day; past the schedule all three say so; with one player
// left the end goes.
TEST_F(Structure_Clock_Test, TheEstimatedEndIsShownAlikeAndFollowsTheTimeOfDay)
{
    Start_With_Break();
    Structure_Action& shown = *form->Structure_Shown;
    ASSERT_TRUE(shown.End_Label->isVisibleTo(form->Action_Sheet));
    const Display_Facts now = Gather_Display_Facts(*form->Current_Tourney, form->Clock_Now(), QDateTime::currentDateTime());
    ASSERT_TRUE(now.has_estimated_end);
    EXPECT_EQ(shown.End_Label->text(), now.estimated_end_text);
    EXPECT_EQ(Phone().value(QStringLiteral("end")).toString(), now.estimated_end_text);
    TPlayers_Display* display = Open_Display();
    const Display_Facts at_display = display->Facts(); // the display's own time of day
    EXPECT_EQ(Text_Of("estimated_end"), QStringLiteral("Est. end ") + at_display.estimated_end_text);

    // Stopped, a tick of the timer refreshes what the Action page shows.
    ASSERT_NE(form->Clock.Paused, 0);
    shown.End_Label->setText(QStringLiteral("stale"));
    Tick();
    EXPECT_EQ(shown.End_Label->text(), now.estimated_end_text);

    // Only the first three levels have blinds, and the night outlasts them.
    for (int k = 3; k < Level_Count; ++k)
        form->SB_Edit[k]->clear(), form->BB_Edit[k]->clear();
    form->Save_Setup->trigger();
    const QString note = QStringLiteral("the blinds stop rising at level 3: add levels");
    EXPECT_EQ(shown.End_Label->text(), note);
    EXPECT_EQ(Phone().value(QStringLiteral("end_note")).toString(), note);
    EXPECT_TRUE(Phone().value(QStringLiteral("end")).isNull());
    EXPECT_EQ(Text_Of("estimated_end"), note);

    for (int i = 0; i < 5; ++i)
        form->Current_Tourney->Set_Out(QStringLiteral("P%1,X").arg(i + 1));
    form->Save_Setup->trigger();
    EXPECT_FALSE(shown.End_Label->isVisibleTo(form->Action_Sheet));
    EXPECT_TRUE(Phone().value(QStringLiteral("end")).isNull());
}

// The Action page's blocks hold what a big game puts in them: a six-figure
// ante and a long break note are shown whole, in smaller letters if need be.
TEST_F(Structure_Clock_Test, ASixFigureAnteAndALongBreakNoteFitTheirBlocks)
{
    Start_With_Break();
    CStructure& s = form->Current_Tourney->Structure;
    s.Levels[0].Break_Note = QStringLiteral("Colour up the 5s, count every stack and fill the drinks before we go on");
    s.Levels[1].Ante = 250000;
    const auto fits = [](const QLabel* label) {
        const QRect room = label->contentsRect();
        const QRect need = label->fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, label->text());
        return need.width() <= room.width() && need.height() <= room.height();
    };
    form->Next_Blind->trigger(); // the break after level 1
    const QLabel* pause = form->Structure_Shown->Break_Label;
    ASSERT_TRUE(pause->isVisibleTo(form->Action_Sheet));
    EXPECT_TRUE(pause->text().endsWith(s.Levels[0].Break_Note));
    EXPECT_TRUE(fits(pause)) << pause->font().pixelSize();
    form->Next_Blind->trigger(); // level 2
    const QLabel* ante = form->Structure_Shown->Ante_Label;
    EXPECT_EQ(ante->text(), QStringLiteral("BB ante 250000"));
    EXPECT_LE(ante->fontMetrics().horizontalAdvance(ante->text()), ante->contentsRect().width());
    EXPECT_TRUE(fits(ante));
    // A short ante afterwards is back in the large letters.
    s.Levels[2].Ante = 40;
    form->Next_Blind->trigger();
    EXPECT_EQ(ante->text(), QStringLiteral("BB ante 40"));
    EXPECT_EQ(ante->font().pixelSize(), 20);
}

} // namespace
