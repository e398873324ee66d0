// The blind clock driven tick by tick through its timer handler.
#include "Main_window_test.h"

#include "forms/widgets/Spin_box.h"

#include <QColor>
#include <QFile>
#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace {

QString Clock_Text(int minutes, int seconds) { return QString::asprintf("%d:%02d", minutes, seconds); }

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

TEST_F(Clock_Test, StoredLengthOfZeroIsAOneMinuteLevel)
{
    // A length of 0 would end a level every second, with a sound each time.
    Start_With(0);
    EXPECT_EQ(form->Timer_Spin->value(), 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    Press_Start();
    Tick(60);
    EXPECT_EQ(form->CurrentLevel, 0);
    Tick();
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(player->played.size(), 1);
}

TEST_F(Clock_Test, LastLevelRestartsAtItsEnd)
{
    Start_With(1);
    form->CurrentLevel = 19;
    Press_Start();
    Tick(61);
    EXPECT_EQ(form->CurrentLevel, 19);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("7500"));
    EXPECT_EQ(form->Big_Blind2->text(), QStringLiteral("15000"));
    EXPECT_EQ(player->played, QStringList{bell});
}

// A cue that cannot be played never holds the clock: the level still
// advances, the clock runs on, and the failure is told once after the tick.
TEST_F(Clock_Test, FailedLevelEndCueIsToldAfterTheTickAndTheLevelAdvances)
{
    const QString missing = folder.path() + QStringLiteral("Sounds/missing.wav");
    Start_With(1, missing);
    Press_Start();
    Tick(61);
    EXPECT_TRUE(script.messages.empty()); // not inside the tick
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Stop"));
    QCoreApplication::processEvents();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("missing.wav")));
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:59"));

    // Once the file is there again, the next level end plays it.
    Sound_File(QStringLiteral("missing.wav"));
    Tick(60);
    EXPECT_EQ(form->CurrentLevel, 2);
    EXPECT_EQ(player->played, QStringList{missing});
}

TEST_F(Clock_Test, EmptyOrUnreadablePlaylistIsToldAndTheLevelAdvances)
{
    const QString list = folder.Write(QStringLiteral("Sounds/empty.m3u"), "#EXTM3U\r\n\r\n");
    Start_With(1, list);
    Press_Start();
    Tick(61);
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(form->Clock.Paused, 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("empty.m3u")));

    QFile::remove(list);
    Tick(61);
    EXPECT_EQ(form->CurrentLevel, 2);
    QCoreApplication::processEvents();
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_TRUE(script.messages[1].text.contains(QStringLiteral("empty.m3u")));
}

TEST_F(Clock_Test, AFailureWaitingToBeToldIsNotToldTwice)
{
    // The same failure in several ticks before the box could be shown (a
    // blocked window catching up) gives one box.
    Start_With(1, folder.path() + QStringLiteral("gone.wav"));
    Press_Start();
    Tick(61 + 61);
    EXPECT_EQ(form->CurrentLevel, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(script.messages.size(), 1u);
}

TEST_F(Clock_Test, MissingSoundDeviceIsToldOnceWithoutStoppingTheLevelChange)
{
    Start_With(1);
    player->notice = QStringLiteral("No sound device is available (none). Sounds will not be heard.");
    Press_Start();
    Tick(61);
    // The level changed in the same tick; the notice follows once the tick is over.
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(form->Clock.Paused, 0);
    EXPECT_TRUE(script.messages.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("No sound device is available (none). Sounds will not be heard."));
    Tick(61);
    QCoreApplication::processEvents();
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(form->CurrentLevel, 2);
}

TEST_F(Clock_Test, FailedWarningKeepsTheClockRunningAndShowsTheTime)
{
    Start_With(2, QString(), folder.path() + QStringLiteral("nowhere.wav"));
    Press_Start();
    Tick(59);
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:01"));
    Tick(); // the warning tick: the display is still refreshed
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(form->Clock.Paused, 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("nowhere.wav")));
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:59"));
}

TEST_F(Clock_Test, PlaylistPlaysItsSongsInTurnAndIsReadAfreshEachTime)
{
    const QString a = Sound_File(QStringLiteral("a.mp3"));
    const QString b = Sound_File(QStringLiteral("b.mp3"));
    const QString c = Sound_File(QStringLiteral("c.mp3"));
    // As other programs write it: a header, information lines, an empty line
    // and a path relative to the list's own folder.
    const QByteArray lines = ("#EXTM3U\r\n#EXTINF:123,Song A\r\n" + a + "\r\n\r\nb.mp3\r\n" + c + "\r\n").toLatin1();
    const QString list = folder.Write(QStringLiteral("Sounds/night.m3u"), lines);
    Start_With(1, list);
    EXPECT_TRUE(form->Edit_List_Btn->isEnabled());
    Press_Start();
    Tick(4 * 61);
    EXPECT_EQ(player->played, (QStringList{a, b, c, a}));

    // A list saved while the clock runs applies from the next level end on.
    folder.Write(QStringLiteral("Sounds/night.m3u"), (c + "\n").toLatin1());
    Tick(61);
    EXPECT_EQ(player->played.last(), c);
}

TEST_F(Clock_Test, ResetActsOnlyWhileStoppedAndTurnsTheLabelsBlack)
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
    EXPECT_FALSE(Red());
    EXPECT_EQ(form->Blind_Timer2->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(form->CurrentLevel, 0);
}

TEST_F(Clock_Test, PausedClockKeepsItsTimeThroughPageSwitches)
{
    Start_With(20);
    Press_Start();
    Tick(7 * 60 + 42);
    Press_Start(); // a break: 12:18 left
    EXPECT_EQ(Shown_Time(), QStringLiteral("12:18"));
    form->SpeedButton4->click();
    form->SpeedButton5->click();
    form->SpeedButton3->click();
    EXPECT_EQ(Shown_Time(), QStringLiteral("12:18"));
    EXPECT_EQ(form->Blind_Timer2->text(), QStringLiteral("12:18"));
    EXPECT_NE(form->Clock.Paused, 0);
    Press_Start();
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("12:17"));

    // A running clock is not touched by a switch either.
    form->SpeedButton5->click();
    EXPECT_EQ(Shown_Time(), QStringLiteral("12:17"));
    EXPECT_EQ(form->Clock.Paused, 0);
}

TEST_F(Clock_Test, NewLevelLengthFillsAPausedClock)
{
    Start_With(20);
    Press_Start();
    Tick(30);
    Press_Start();
    form->SpeedButton5->click();
    form->Timer_Spin->stepUp(); // 21 minutes
    form->SpeedButton3->click();
    EXPECT_EQ(Shown_Time(), QStringLiteral("21:00"));
}

// The window thread held up for a few seconds: the seconds it missed are run
// as ticks of their own at the next timer event, each with its cues.
TEST_F(Clock_Test, SecondsMissedWhileBlockedAreCaughtUp)
{
    Start_With(2);
    Press_Start();
    monotonic_ms += 1000;
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:59"));
    monotonic_ms += 5000; // blocked for five seconds
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:54"));
    monotonic_ms += 1000;
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:53"));

    // A block across the warning and the level end runs both.
    monotonic_ms += 53 * 1000 + 400; // rounded to the nearest second
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:00"));
    EXPECT_EQ(player->played, QStringList{chime});
    monotonic_ms += 61 * 1000;
    Tick();
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("2:00"));
    EXPECT_EQ(player->played, (QStringList{chime, bell}));

    // Seconds pass unseen while the clock is stopped.
    Press_Start();
    monotonic_ms += 30 * 1000;
    Tick();
    Press_Start();
    monotonic_ms += 1000;
    Tick();
    EXPECT_EQ(Shown_Time(), QStringLiteral("1:59"));
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
    Tick(61);
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
