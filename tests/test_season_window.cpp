// The season and CSV commands as the operator uses them: Tools, "Season..."
// (a new season, its tournaments, the rule, the standings, a player's record,
// the report), a damaged season file, the display's season panel, File,
// "Import Players..." / "Export Players..." and the player's record in the
// Players page's quick view.
#include "Display_fixture.h"
#include "Record_images.h"
#include "Roster_data.h"

#include "forms/dialogs/Player_csv_dialog.h"
#include "forms/dialogs/Season_commands.h"
#include "forms/dialogs/Season_dialog.h"
#include "forms/display/Season_panel.h"
#include "model/Player.h"
#include "platform/Program_folder.h"
#include "platform/Text_lines.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QPainter>
#include <QSet>
#include <QSpinBox>
#include <QTableWidget>
#include <rapidcheck/gtest.h>

namespace {

class Season_Window_Test : public Display_Fixture {
protected:
    void Write_Evening(const QString& name, const QVector<QPair<QByteArray, int>>& entries)
    {
        QByteArray plr;
        for (const auto& e : entries)
            plr += Entry_Record(e.first, 0, 0, e.second);
        folder.Write("Data/" + name + ".plr", plr);
        folder.Write("Data/" + name + ".trn", "[Prizes]\nTotal=100\nPrize 0=60\nPrize 1=40\n");
    }
    void Two_Fridays()
    {
        Write_Evening("Fri 1", {{"Ann,Lee", 0}, {"Bob,Ray", 3}, {"Cat,Poe", 2}});
        Write_Evening("Fri 2", {{"Bob,Ray", 0}, {"Ann,Lee", 2}});
    }
    static QStringList Column(const QTableWidget* grid, int column)
    {
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r)
            out << (grid->item(r, column) ? grid->item(r, column)->text() : QString());
        return out;
    }
    static QStringList List(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static void Select(QListWidget* list, const QStringList& texts)
    {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(texts.contains(list->item(i)->text()));
    }
    Season_Commands* Season() { return form->Season_Tools(); }
};

} // namespace

TEST_F(Season_Window_Test, ASeasonIsMadeFilledAndRankedInItsDialogAndWrittenAtOnce)
{
    Two_Fridays();
    Start_Tourney(Chips_And_Prizes());
    ASSERT_NE(Season()->Season1, nullptr);
    EXPECT_EQ(Season()->Season1->text(), "Season...");

    script.modal_scripts["Season_Name_Dlg"] = [](QDialog* d) {
        d->findChild<QLineEdit*>("Season_Name_Edit")->setText("Autumn");
        return int(QDialog::Accepted);
    };
    bool ran = false;
    script.modal_scripts["Season_Dlg"] = [&](QDialog* dialog) {
        auto* d = static_cast<TSeason_Dlg*>(dialog);
        EXPECT_FALSE(d->Formula_Combo->isEnabled()); // no season yet
        d->New_Season_Btn->click();
        EXPECT_EQ(List(d->Season_List), QStringList{"Autumn"});
        EXPECT_EQ(List(d->Data_List), (QStringList{"Default.trn", "Fri 1.trn", "Fri 2.trn"}));
        Select(d->Data_List, {"Fri 1.trn", "Fri 2.trn"});
        d->Add_Tourney_Btn->click();
        EXPECT_EQ(List(d->Data_List), QStringList{"Default.trn"});
        EXPECT_EQ(Column(d->Tourney_Grid, 0), (QStringList{"Fri 1.trn", "Fri 2.trn"}));
        // Table rule: Ann 25 + 18, Bob 15 + 25, Cat 18.
        EXPECT_EQ(Column(d->Standings_Grid, 1), (QStringList{"Ann,Lee", "Bob,Ray", "Cat,Poe"}));
        EXPECT_EQ(Column(d->Standings_Grid, 2), (QStringList{"43", "40", "18"}));
        EXPECT_EQ(Column(d->Standings_Grid, 7), (QStringList{"100", "60", "40"})); // winnings
        // Names are shown whole: the column is as wide as its texts.
        EXPECT_EQ(d->Standings_Grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::ResizeToContents);
        for (const QString& name : Column(d->Standings_Grid, 1))
            EXPECT_GE(d->Standings_Grid->columnWidth(1), d->Standings_Grid->fontMetrics().horizontalAdvance(name));

        // A shorter table with a new first place; a text that is no number counts 0.
        d->Places_Spin->setValue(3);
        EXPECT_EQ(d->Points_Grid->rowCount(), 3);
        d->Points_Grid->item(0, 0)->setText("30");
        EXPECT_EQ(Column(d->Standings_Grid, 2), (QStringList{"48", "45", "18"})); // Ann 30 + 18, Bob 15 + 30
        d->Points_Grid->item(2, 0)->setText("many");
        EXPECT_EQ(d->Points_Grid->item(2, 0)->text(), "0");
        EXPECT_EQ(Column(d->Standings_Grid, 2), (QStringList{"48", "30", "18"}));
        EXPECT_TRUE(folder.Read("Seasons/Autumn.season").contains("Places=3\nPlace 1=30\nPlace 2=18\nPlace 3=0\n"));

        // Field - place + 1: Ann 3 + 1 = 4, Bob 1 + 2 = 3, Cat 2: recomputed and stored at once.
        d->Formula_Combo->setCurrentIndex(1);
        EXPECT_EQ(Column(d->Standings_Grid, 2), (QStringList{"4", "3", "2"}));
        EXPECT_TRUE(folder.Read("Seasons/Autumn.season").contains("Formula=Field minus place\n"));
        d->Taking_Part_Spin->setValue(5);
        EXPECT_EQ(Column(d->Standings_Grid, 2), (QStringList{"14", "13", "7"}));

        // The record of the second player, evening by evening.
        d->Standings_Grid->selectRow(1);
        EXPECT_EQ(d->Record_Caption->text(), "Evenings of Bob Ray");
        EXPECT_EQ(Column(d->Record_Grid, 1), (QStringList{"Fri 1.trn", "Fri 2.trn"}));
        EXPECT_EQ(Column(d->Record_Grid, 2), (QStringList{"3rd", "1st"}));
        EXPECT_EQ(Column(d->Record_Grid, 3), (QStringList{"6", "7"}));

        // Removing a tournament takes its evening out.
        d->Tourney_Grid->selectRow(0);
        d->Remove_Tourney_Btn->click();
        EXPECT_EQ(Column(d->Standings_Grid, 1), (QStringList{"Bob,Ray", "Ann,Lee"}));
        EXPECT_TRUE(folder.Read("Seasons/Autumn.season").contains("Count=1\nTournament 1=Fri 2.trn\n"));

        d->Report_Btn->click();
        ran = true;
        return int(QDialog::Accepted);
    };
    Season()->Season1->trigger();
    ASSERT_TRUE(ran);
    EXPECT_TRUE(script.messages.empty());
    const QByteArray report = folder.Read("Reports/Season.htm");
    EXPECT_TRUE(report.contains("<tr><td class=\"num\">1</td><td class=\"name\">Bob,<wbr>Ray</td><td class=\"num\">7</td>"))
        << report.toStdString();
    EXPECT_EQ(script.shell_opened, QStringList{folder.path() + "Reports/Season.htm"});
    EXPECT_EQ(Setting("Season", "Current"), "Autumn");
}

TEST_F(Season_Window_Test, ADamagedSeasonFileIsToldAndLeftAsItIs)
{
    const QByteArray damaged = "[Season]\nName=Old\n[Points]\nFormula=Darts\n";
    folder.Write("Seasons/Old.season", damaged);
    folder.Write(File_Name_Part(Settings_Path()), "[Parameters]\nLast Tourney=Default.trn\n");
    Start_Tourney(Chips_And_Prizes());
    script.modal_scripts["Season_Dlg"] = [&](QDialog* dialog) {
        auto* d = static_cast<TSeason_Dlg*>(dialog);
        EXPECT_FALSE(d->Formula_Combo->isEnabled());
        EXPECT_FALSE(d->Add_Tourney_Btn->isEnabled());
        EXPECT_EQ(d->Standings_Grid->rowCount(), 0);
        d->Formula_Combo->setCurrentIndex(2); // nothing may be written
        return int(QDialog::Accepted);
    };
    Season()->Season1->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("Old.season")) << script.messages[0].text.toStdString();
    EXPECT_TRUE(script.messages[0].text.contains("Darts"));
    EXPECT_EQ(folder.Read("Seasons/Old.season"), damaged);
    EXPECT_EQ(Setting("Season", "Current"), "<no section>");
}

// A value beyond what the dialog takes is named when the season is shown,
// and the file stays as it is until the operator changes something.
TEST_F(Season_Window_Test, AValueOutsideTheRangesIsNamedWhenShown)
{
    const QByteArray text = "[Season]\nName=Big\n[Points]\nFormula=Table\nPlaces=1\nPlace 1=25\n"
                            "Taking Part=5000000\nPer Bounty=0\n[Tournaments]\nCount=0\n";
    folder.Write("Seasons/Big.season", text);
    Start_Tourney(Chips_And_Prizes());
    script.modal_scripts["Season_Dlg"] = [](QDialog* dialog) {
        EXPECT_EQ(static_cast<TSeason_Dlg*>(dialog)->Taking_Part_Spin->value(), 1000000);
        return int(QDialog::Accepted);
    };
    Season()->Season1->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("\"Taking Part\" of [Points] is 5000000: counted as 1000000"))
        << script.messages[0].text.toStdString();
    EXPECT_EQ(folder.Read("Seasons/Big.season"), text);
}

TEST_F(Season_Window_Test, TheDisplayShowsTheSeasonWhilePausedAndOnRequest)
{
    Two_Fridays();
    Write_Evening("Fri 1", {{"Ann,Lee", 0}, {"Bob,Ray", 3}, {"Cat,Poe", 2}, {"Maximilian,Ostrowsk", 4}});
    folder.Write("Seasons/Autumn.season", "[Season]\nName=Autumn\n[Points]\nFormula=Table\nPlaces=2\nPlace 1=10\n"
                                          "Place 2=5\nTaking Part=0\nPer Bounty=0\n[Tournaments]\nCount=2\n"
                                          "Tournament 1=Fri 1.trn\nDate 1=2026-09-04\nTournament 2=Fri 2.trn\n"
                                          "Date 2=2026-09-18\n");
    folder.Write(File_Name_Part(Settings_Path()), "[Season]\nCurrent=Autumn\n");
    Start_Tourney(Chips_And_Prizes());
    TPlayers_Display* d = Open_Display();
    ASSERT_NE(d, nullptr);
    const QSize tv(1920, 1080);
    Frame(d, tv); // the standings are read beside the window, which never waits for them
    Season()->Finish_Panel_Reading();
    const QImage paused = Frame(d, tv);
    auto frame = d->Last_Frame();
    ASSERT_NE(Text(frame, "season_name"), nullptr);
    EXPECT_EQ(Text(frame, "season_name")->text, "Autumn");
    // Ann 10 + 5 = 15, Bob 0 + 10 = 10, Cat 5.
    EXPECT_EQ(Text(frame, "season_player1")->text, "Ann Lee");
    EXPECT_EQ(Text(frame, "season_points1")->text, "15");
    EXPECT_EQ(Text(frame, "season_player3")->text, "Cat Poe");
    EXPECT_EQ(Text(frame, "players"), nullptr); // covered by the panel
    // Every row alike: the 19-character name as tall as the others.
    ASSERT_NE(Text(frame, "season_player4"), nullptr);
    EXPECT_EQ(Text(frame, "season_player4")->text, "Maximilian Ostrowsk");
    for (const char* row : {"season_player2", "season_player3", "season_player4"})
        EXPECT_EQ(Text(frame, row)->bounds.height(), Text(frame, "season_player1")->bounds.height()) << row;
    // The phones show the same places.
    const QJsonObject phone = QJsonDocument::fromJson(form->Phone_State()).object();
    const QJsonArray top = phone.value("season").toObject().value("rows").toArray();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0].toObject(), (QJsonObject{{"rank", 1}, {"name", "Ann Lee"}, {"points", 15}}));
    EXPECT_EQ(phone.value("season").toObject().value("name").toString(), "Autumn");
    const QRectF panel = Text(frame, "season_player1")->panel;
    // At any size every text stays inside its panel.
    for (const QSize size : {tv, QSize(1280, 720), QSize(640, 360), QSize(1024, 768)}) {
        Frame(d, size);
        for (const Display_Text& t : d->Last_Frame())
            EXPECT_TRUE(t.panel.contains(t.bounds)) << t.role.toStdString() << " at " << size.width();
        EXPECT_NE(Text(d->Last_Frame(), "season_points3"), nullptr);
    }
    Frame(d, tv);
    // The panel's dark fill stands where the players' count was.
    const QPoint inside = panel.center().toPoint();

    form->Toggle_Start->trigger();
    const QImage running = Frame(d, tv);
    frame = d->Last_Frame();
    EXPECT_EQ(Text(frame, "season_name"), nullptr);
    EXPECT_NE(Text(frame, "players"), nullptr);
    EXPECT_NE(paused.pixel(inside), running.pixel(inside));
    EXPECT_TRUE(QJsonDocument::fromJson(form->Phone_State()).object().value("season").isNull());

    Season()->SeasonOnDisplay1->trigger();
    EXPECT_TRUE(Season()->Season_On_Display->isChecked());
    const QImage asked = Frame(d, tv);
    EXPECT_NE(Text(d->Last_Frame(), "season_player2"), nullptr);
    EXPECT_EQ(asked.pixel(inside), paused.pixel(inside));
}

TEST_F(Season_Window_Test, PlayersComeInByCsvAfterThePreviewAndGoOutTheSameWay)
{
    folder.Write("Data/PdB.data", Db_Record(0, "Ann", "Lee"));
    Start();
    QStringList file_menu;
    for (QAction* a : form->menuBar()->actions())
        if (a->text() == "&File")
            for (QAction* item : a->menu()->actions())
                file_menu << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(file_menu, (QStringList{"New...", "Open...", "Wizard...", "-", "Import Players...", "Export Players...",
                                      "-", "Print...", "Save as PDF...", "-", "Exit"}));

    const QString csv = folder.Write("phone list.csv", "First,Last,Phone\r\nBob,Ray,555\r\nAnn,Lee,1\r\n,Nobody,2\r\n"
                                                       "ann ,lee,3\r\n");
    script.files = {csv};
    script.modal_scripts["Player_Csv_Dlg"] = [](QDialog* dialog) {
        auto* d = static_cast<TPlayer_Csv_Dlg*>(dialog);
        EXPECT_EQ(d->Preview_Grid->rowCount(), 4);
        EXPECT_TRUE(d->Summary_Label->text().startsWith("1 to add, 2 already there (skipped), 1 cannot be stored"));
        EXPECT_EQ(d->Preview_Grid->item(1, 6)->text(), "Skipped: Ann,Lee is already in the database");
        return int(QDialog::Rejected);
    };
    const QByteArray before = folder.Read("Data/PdB.data");
    form->Player_Csv()->ImportPlayers1->trigger();
    EXPECT_EQ(folder.Read("Data/PdB.data"), before); // cancelled: nothing written

    // The near-duplicate is ticked: it comes in too.
    script.files = {csv};
    script.modal_scripts["Player_Csv_Dlg"] = [](QDialog* dialog) {
        auto* d = static_cast<TPlayer_Csv_Dlg*>(dialog);
        EXPECT_EQ(d->Preview_Grid->item(3, 6)->checkState(), Qt::Unchecked);
        d->Preview_Grid->item(3, 6)->setCheckState(Qt::Checked);
        return int(QDialog::Accepted);
    };
    form->Player_Csv()->ImportPlayers1->trigger();
    EXPECT_EQ(folder.Read("Data/PdB.data"),
              before + Db_Record(1, "Bob", "Ray", "", "555") + Db_Record(2, "ann ", "lee", "", "3"));
    EXPECT_EQ(List(form->Available_List), (QStringList{"ann ,lee", "Ann,Lee", "Bob,Ray"}));

    // The export names the player an import would skip, before it writes.
    const QString out = folder.path() + "out";
    script.files = {out};
    form->Player_Csv()->ExportPlayers1->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].buttons, Buttons::OK_Cancel);
    EXPECT_TRUE(script.messages[0].text.contains("ann ,lee: differs from Ann,Lee only in case or blanks"));
    EXPECT_EQ(folder.Read("out.csv"),
              "\xEF\xBB\xBF" "first,last,aka,phone,cell\r\nAnn,Lee,,,\r\nBob,Ray,,555,\r\n\"ann \",lee,,3,\r\n");
}

TEST_F(Season_Window_Test, TheQuickViewShowsThePlayersRecordAcrossTheDataFolder)
{
    folder.Write("Data/PdB.data", Db_Record(0, "P1", "X") + Db_Record(1, "P12", "X"));
    Write_Evening("Old", {{"P1,X", 0}, {"P12,X", 2}});
    // P1,X still in among nine, P12,X out tenth: an evening still running
    // counts for nobody yet.
    Start_Tourney(Chips_And_Prizes());
    Click_Item(form->Playing_List, "P12,X");
    EXPECT_EQ(form->First_Edit->text(), "P12");
    EXPECT_EQ(form->Record_Label->text(), "1 evening, 0 wins, best finish 2nd");
    Click_Item(form->Playing_List, "P1,X");
    EXPECT_EQ(form->Record_Label->text(), "1 evening, 1 win, best finish 1st");
}

// A whole evening's screen at once: an ante, a break with its note, money in
// a currency with rebuys and rounded payouts, the estimated end and the
// season's standings. At television, laptop and small window sizes, paused
// (the season panel up) and running, every text stays inside its panel and
// on the screen, and no two texts cover each other.
TEST_F(Season_Window_Test, EverythingAtOnceStaysInsideItsPanelsAndApart)
{
    Two_Fridays();
    folder.Write("Seasons/Autumn.season", "[Season]\nName=The Long Autumn League of the Street\n[Points]\n"
                                          "Formula=Field minus place\nPlaces=0\nTaking Part=2\nPer Bounty=1\n"
                                          "[Tournaments]\nCount=2\nTournament 1=Fri 1.trn\nDate 1=2026-09-04\n"
                                          "Tournament 2=Fri 2.trn\nDate 2=2026-09-18\n");
    folder.Write(File_Name_Part(Settings_Path()), "[Season]\nCurrent=Autumn\n");
    Start_Tourney("SB3=1500\nBB3=3000\nSB4=2500\nBB4=5000\n" + Chips_And_Prizes()
                      + "[Structure]\nAnte Type=Big Blind\nAnte3=3000\nAnte4=5000\nBreak3=15\n"
                        "Break Note3=Colour up the 25s and count the stacks\n"
                        "[Money]\nBuy-in=1250\nFee=50\nBounty=100\nRebuy Price=1000\nRebuy Chips=2000\n"
                        "Rebuy Until Level=4\nCurrency=CHF\nRounding=5\nPool From Entries=1\n"
                        "[Money Entries]\nEntry 0=P1,X;3;1;;\nEntry 1=P2,X;2;1;;\n");
    for (int i = 3; i < Prize_Count; ++i)
        form->Current_Tourney->Prize[i] = 1;
    form->Next_Blind->trigger();
    form->Next_Blind->trigger();
    form->Next_Blind->trigger();
    form->Next_Blind->trigger(); // the break after level 4
    TPlayers_Display* d = Open_Display();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(form->Clock_Now().on_break);
    Frame(d, QSize(1920, 1080));
    Season()->Finish_Panel_Reading();
    for (const bool paused : {true, false}) {
        form->Clock.Paused = paused ? 1 : 0;
        for (const QSize size : {QSize(1920, 1080), QSize(1280, 720), QSize(1024, 768), QSize(640, 360)}) {
            Frame(d, size);
            const std::vector<Display_Text>& frame = d->Last_Frame();
            SCOPED_TRACE(QStringLiteral("%1x%2 paused %3").arg(size.width()).arg(size.height()).arg(paused).toStdString());
            EXPECT_EQ(Text(frame, "season_name") != nullptr, paused);
            ASSERT_NE(Text(frame, "ante"), nullptr);
            ASSERT_NE(Text(frame, "estimated_end"), nullptr);
            EXPECT_EQ(Text(frame, "next")->text, QStringLiteral("Colour up the 25s and count the stacks"));
            if (!paused) {
                ASSERT_NE(Text(frame, "payout1"), nullptr);
                EXPECT_TRUE(Text(frame, "payout1")->text.startsWith(QLatin1String("CHF")));
            }
            const QRectF screen(QPointF(0, 0), QSizeF(size));
            for (const Display_Text& t : frame) {
                EXPECT_TRUE(screen.contains(t.panel)) << t.role.toStdString();
                EXPECT_TRUE(t.panel.contains(t.bounds)) << t.role.toStdString() << " \"" << t.text.toStdString() << "\"";
            }
            for (size_t i = 0; i < frame.size(); ++i)
                for (size_t j = i + 1; j < frame.size(); ++j)
                    EXPECT_FALSE(frame[i].bounds.intersects(frame[j].bounds))
                        << frame[i].role.toStdString() << " / " << frame[j].role.toStdString();
        }
    }
}

// However narrow and tall the panel, two different names never come out as
// the same text, also when both are cut short.
RC_GTEST_PROP(Season_Panel_Paint, DifferentNamesNeverLookAlike, ())
{
    const int width = *rc::gen::inRange(120, 600);
    const int height = *rc::gen::inRange(200, 1000);
    const auto prefix = rc::gen::element<QString>(QStringLiteral("Christopher Johns"), QStringLiteral("Maximilian Ostrows"),
                                                  QStringLiteral("Alexandrina Montgome"), QStringLiteral("Ann Lee"));
    const auto tails = *rc::gen::unique<std::vector<std::string>>(
        rc::gen::container<std::string>(rc::gen::element('a', 'n', 'y', 'x')));
    Season_Panel_Facts facts;
    facts.season = QStringLiteral("Autumn");
    QSet<QString> names;
    for (size_t i = 0; i < tails.size() && facts.rows.size() < 10; ++i) {
        const QString name = *prefix + QString::fromStdString(tails[i]).left(3);
        if (!names.contains(name))
            facts.rows << Season_Panel_Facts::Row{static_cast<int>(i) + 1, name, 10, 1};
        names.insert(name);
    }
    QImage image(width + 20, height + 20, QImage::Format_ARGB32);
    QPainter painter(&image);
    std::vector<Display_Text> frame{{"players", "", QRectF(10, 10, width, height / 2.0), QRectF(12, 12, 4, 4)},
                                    {"next_caption", "", QRectF(10, 10 + height / 2.0, width, height / 2.0),
                                     QRectF(12, 12 + height / 2.0, 4, 4)}};
    Paint_Season_Panel(painter, frame, facts);
    QSet<QString> shown;
    int rows = 0;
    for (const Display_Text& t : frame)
        if (t.role.startsWith(QLatin1String("season_player"))) {
            ++rows;
            shown.insert(t.text);
        }
    RC_ASSERT(rows == facts.rows.size());
    RC_ASSERT(shown.size() == rows);
}
