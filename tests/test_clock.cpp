// The blind clock driven tick by tick through its timer handler.
#include "Main_window_test.h"

#include "forms/Spin_box.h"

#include <QColor>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

QString Clock_Text(int minutes, int seconds) { return QString::asprintf("%d:%02d", minutes, seconds); }

// A one-minute level: sixty ticks down to 0:00, and the tick that ends it.
constexpr int Level_Ticks = 61;

class Clock_Test : public Main_Window_Test {
protected:
    QString bell, chime;

    // A tournament whose level lasts the given minutes, with existing cue files.
    void Start_With(int minutes, const QString& sound = QString(), const QString& warning = QString())
    {
        bell = Sound_File(QStringLiteral("bell.wav"));
        chime = Sound_File(QStringLiteral("chime.wav"));
        QByteArray trn = "[Setup]\nTime=" + QByteArray::number(minutes) + "\n";
        trn += "Sound=" + (sound.isNull() ? bell : sound).toLatin1() + "\n";
        trn += "Warning=" + (warning.isNull() ? chime : warning).toLatin1() + "\n";
        folder.Write(QStringLiteral("Data/Default.trn"), trn);
        Start();
    }

    void Press_Start() { form->Toggle_Start->trigger(); }
    bool Red() const { return form->Blind_Timer_Colour() == QColor(255, 0, 0); }
};

TEST_F(Clock_Test, StartsStoppedAtFullLevelOfTheTournament)
{
    Start_With(12);
    EXPECT_EQ(Shown_Time(), QStringLiteral("12:00"));
    EXPECT_EQ(form->Blind_Timer2->text(), QStringLiteral("12:00"));
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Start"));
    Tick(5); // a stopped clock ignores its timer
    EXPECT_EQ(Shown_Time(), QStringLiteral("12:00"));
}

TEST_F(Clock_Test, LevelOfTwoMinutesCountsDownWarnsOnceAndAdvances)
{
    Start_With(2);
    Press_Start();
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Stop"));

    // 2:00 shown; then 1:59 .. 0:00 over 120 ticks, each shown in both labels.
    int seconds_left = 120;
    for (int tick = 1; tick <= 120; ++tick) {
        Tick();
        --seconds_left;
        const QString expected = Clock_Text(seconds_left / 60, seconds_left % 60);
        ASSERT_EQ(Shown_Time(), expected) << "tick " << tick;
        ASSERT_EQ(form->Blind_Timer2->text(), expected);
        // The warning plays on the tick that shows 1:00, and only then.
        ASSERT_EQ(player->played.size(), tick >= 60 ? 1 : 0) << "tick " << tick;
    }
    EXPECT_EQ(player->played, QStringList{chime});
    EXPECT_EQ(form->CurrentLevel, 0);

    // The 121st tick ends the level: bell, next level, full length, running on.
    Tick();
    EXPECT_EQ(player->played, (QStringList{chime, bell}));
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("2:00"));
    EXPECT_EQ(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Stop"));
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("10"));
    EXPECT_EQ(form->Big_Blind->text(), QStringLiteral("20"));
    EXPECT_EQ(form->Small_Blind2->text(), QStringLiteral("10"));
    EXPECT_EQ(form->Big_Blind2->text(), QStringLiteral("20"));
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:59"));
}

TEST_F(Clock_Test, OneMinuteLevelNeverWarns)
{
    Start_With(1);
    Press_Start();
    Tick(61);
    EXPECT_EQ(player->played, QStringList{bell});
    EXPECT_EQ(form->CurrentLevel, 1);
}

TEST_F(Clock_Test, LastElevenDisplaysBlinkRedAndBlack)
{
    Start_With(1);
    Press_Start();
    Tick(49); // 0:11
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:11"));
    EXPECT_FALSE(Red());
    for (int shown = 10; shown >= 0; --shown) {
        Tick();
        ASSERT_EQ(Shown_Time(), Clock_Text(0, shown));
        // 0:10 red, 0:09 black, ... 0:00 red.
        ASSERT_EQ(Red(), shown % 2 == 0) << "at 0:" << shown;
        const QColor left = form->Blind_Timer2->palette().color(QPalette::Window);
        ASSERT_EQ(left, form->Blind_Timer->palette().color(QPalette::Window));
    }
    Tick(); // level end: black again
    EXPECT_FALSE(Red());
    EXPECT_EQ(form->Blind_Timer->palette().color(QPalette::Window), QColor(Qt::black));
}

TEST_F(Clock_Test, StoredLevelLengthsOutsideOneToFiftyNineAreReadAsTheNearestEnd)
{
    // A length of 0 used to end a level every second, with a sound each time.
    Start_With(0);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    Press_Start();
    Tick(60);
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_TRUE(player->played.isEmpty());
    Tick(); // the level end: the next level is as long as the first
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(player->played.size(), 1);
}

TEST_F(Clock_Test, FailedLevelEndCueWaitsAtZeroUntilStartIsPressed)
{
    const QString missing = folder.path() + QStringLiteral("Sounds/missing.wav");
    Start_With(1, missing);
    Press_Start();
    Tick(61);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("missing.wav")));
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:00"));
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Stop"));
    EXPECT_EQ(form->CurrentLevel, 0);
    Tick(3); // stopped: nothing more happens, no further messages
    EXPECT_EQ(script.messages.size(), 1u);

    // The operator fixes the file and presses Start/Stop once: the next tick
    // retries the level end.
    Sound_File(QStringLiteral("missing.wav"));
    Press_Start();
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Stop"));
    Tick();
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(player->played, QStringList{missing});
}

TEST_F(Clock_Test, EmptyPlaylistIsReportedAndStopsTheLevelEnd)
{
    const QString list = folder.Write(QStringLiteral("Sounds/empty.m3u"), QByteArray());
    Start_With(1, list);
    Press_Start();
    Tick(Level_Ticks);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("empty.m3u")));
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_NE(form->Clock.Paused, 0);
}

TEST_F(Clock_Test, MissingSoundDeviceIsToldOnceWithoutStoppingTheLevelChange)
{
    Start_With(1);
    player->notice = QStringLiteral("No sound device is available (none). Sounds will not be heard.");
    Press_Start();
    Tick(Level_Ticks);
    // The level changed in the same tick; the notice follows once the tick is over.
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(form->Clock.Paused, 0);
    EXPECT_TRUE(script.messages.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("No sound device is available (none). Sounds will not be heard."));
    Tick(Level_Ticks);
    QCoreApplication::processEvents();
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(form->CurrentLevel, 2);
}

TEST_F(Clock_Test, FailedWarningKeepsTheClockRunning)
{
    Start_With(2, QString(), folder.path() + QStringLiteral("nowhere.wav"));
    Press_Start();
    Tick(59);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:01"));
    Tick(); // the warning tick: reported, display not updated
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:01"));
    EXPECT_EQ(form->Clock.Paused, 0);
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:59"));
    EXPECT_EQ(script.messages.size(), 1u);
}

TEST_F(Clock_Test, PlaylistPlaysItsLinesInTurnAndIsReadAfreshEachTime)
{
    const QString a = Sound_File(QStringLiteral("a.mp3"));
    const QString b = Sound_File(QStringLiteral("b.mp3"));
    const QString c = Sound_File(QStringLiteral("c.mp3"));
    const QByteArray lines = (a + "\r\n" + b + "\r\n" + c + "\r\n").toLatin1();
    const QString list = folder.Write(QStringLiteral("Sounds/night.m3u"), lines);
    Start_With(1, list);
    EXPECT_TRUE(form->Edit_List_Btn->isEnabled());
    Press_Start();
    Tick(4 * Level_Ticks);
    EXPECT_EQ(player->played, (QStringList{a, b, c, a}));

    // A list saved while the clock runs applies from the next level end on.
    folder.Write(QStringLiteral("Sounds/night.m3u"), (c + "\n").toLatin1());
    Tick(Level_Ticks);
    EXPECT_EQ(player->played.last(), c);
}

TEST_F(Clock_Test, ResetActsOnlyWhileStoppedAndKeepsTheColour)
{
    Start_With(1);
    Press_Start();
    Tick(56); // 0:04, red
    EXPECT_TRUE(Red());
    form->Reset_Timer->trigger();
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:04"));

    Press_Start(); // stop
    form->Reset_Timer->trigger();
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_TRUE(Red());
    EXPECT_EQ(form->CurrentLevel, 0);
}

TEST_F(Clock_Test, PageSwitchResetsAPausedClockButNotARunningOne)
{
    Start_With(20);
    form->Clock.Minutes = 7;
    form->Clock.Seconds = 42;
    form->Refresh_Clock->trigger();
    form->SpeedButton5->click();
    form->SpeedButton3->click();
    EXPECT_EQ(Shown_Time(), QStringLiteral("20:00"));

    Press_Start();
    Tick(3);
    EXPECT_EQ(Shown_Time(), QStringLiteral("19:57"));
    form->SpeedButton5->click();
    EXPECT_EQ(Shown_Time(), QStringLiteral("19:57"));
    EXPECT_EQ(form->Clock.Paused, 0);
}

TEST_F(Clock_Test, BlindLevelButtonsStopAtTheEndsAndRewriteTheLabels)
{
    Start_With(20);
    form->Prev_Blind->trigger();
    EXPECT_EQ(form->CurrentLevel, 0);
    form->Small_Blind->setText(QStringLiteral("x"));
    form->Prev_Blind->trigger();
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("5"));
    for (int i = 0; i < 25; ++i)
        form->NextBlind_Btn->click();
    EXPECT_EQ(form->CurrentLevel, 19);
    EXPECT_EQ(form->Level_Label->text(), QStringLiteral("Level 20 of 20"));
    EXPECT_EQ(form->Level_Label2->text(), QStringLiteral("LEVEL 20"));
    EXPECT_EQ(form->Small_Blind2->text(), QStringLiteral("7500"));
    EXPECT_EQ(form->Big_Blind->text(), QStringLiteral("15000"));
    form->PrevBlind_Btn->click();
    EXPECT_EQ(form->CurrentLevel, 18);
    EXPECT_EQ(form->Big_Blind2->text(), QStringLiteral("10000"));
    // Moving levels never touches the time or the running state.
    EXPECT_EQ(Shown_Time(), QStringLiteral("20:00"));
    EXPECT_NE(form->Clock.Paused, 0);
}

TEST_F(Clock_Test, OnlyTheStopButtonSilencesASound)
{
    Start_With(1);
    Press_Start();
    Tick(Level_Ticks);
    ASSERT_TRUE(player->Is_Playing());
    Press_Start(); // stopping the clock leaves the sound playing
    EXPECT_TRUE(player->Is_Playing());
    form->Stop_Btn->click();
    EXPECT_FALSE(player->Is_Playing());
    EXPECT_EQ(player->stops, 1);
    form->Stop_Btn->click(); // nothing playing: nothing to stop
    EXPECT_EQ(player->stops, 1);
}

TEST_F(Clock_Test, TimerIsPreciseAndRunsFromStartUp)
{
    Start_With(20);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 1000);
    EXPECT_EQ(form->Timer1->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(form->Timer2->interval(), 500);
}

} // namespace
