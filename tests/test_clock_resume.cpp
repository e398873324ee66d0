// The clock file that survives a crash: when it is written, what it holds,
// the start-up question after an abnormal end, and a normal shut-down.
#include "Main_window_test.h"

#include "model/Clock_state.h"

#include <QFile>
#include <QPushButton>
#include <QTimeZone>

namespace {

class Clock_Resume_Test : public Main_Window_Test {
protected:
    QString Clock_File(const QString& tourney = QStringLiteral("Default")) const
    {
        return folder.data() + tourney + QStringLiteral(".clock");
    }

    std::optional<Clock_State> Kept(const QString& tourney = QStringLiteral("Default")) const
    {
        QFile file(Clock_File(tourney));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return Parse_Clock_State(file.readAll());
    }

    // A second passes on the monotonic clock, and the timer fires.
    void Second(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            monotonic_ms += 1000;
            Tick();
        }
    }

    // What a killed program leaves behind.
    void Leave_Clock_File(const QString& tourney, int level, int minutes, int seconds)
    {
        Clock_State state;
        state.Tourney = tourney + QStringLiteral(".trn");
        state.Level = level;
        state.Minutes = minutes;
        state.Seconds = seconds;
        state.Running = true;
        state.Saved = QDateTime::currentDateTimeUtc();
        folder.Write(QStringLiteral("Data/") + tourney + QStringLiteral(".clock"), Clock_State_Bytes(state));
    }

    void Tourney_With_Time(const QString& name, int minutes)
    {
        folder.Write(QStringLiteral("Data/") + name + QStringLiteral(".trn"),
                     "[Setup]\nTime=" + QByteArray::number(minutes) + "\nSB5=75\nBB5=150\n");
    }
};

TEST(Clock_State_File, ReadsWhatItWritesAndRefusesTornOrEditedFiles)
{
    Clock_State state;
    state.Tourney = QStringLiteral("Fr\u00e9d's night.trn");
    state.Level = 5;
    state.Minutes = 8;
    state.Seconds = 41;
    state.Running = true;
    state.Saved = QDateTime(QDate(2026, 3, 14), QTime(21, 5, 9), QTimeZone::utc());
    const QByteArray bytes = Clock_State_Bytes(state);
    EXPECT_EQ(bytes, QByteArray("[Clock]\nTourney=Fr\xC3\xA9" "d's night.trn\nLevel=6\nLeft=8:41\nRunning=1\n"
                                "Saved=2026-03-14T21:05:09Z\n"));
    EXPECT_EQ(Parse_Clock_State(bytes), state);
    EXPECT_EQ(Resume_Question(state),
              QStringLiteral("The clock was running at level 6 with 8:41 left when Velmora stopped. Resume it?"));

    EXPECT_FALSE(Parse_Clock_State(bytes.left(30)));                         // torn
    EXPECT_FALSE(Parse_Clock_State(QByteArray(bytes).replace("Level=6", "Level=21")));
    EXPECT_FALSE(Parse_Clock_State(QByteArray(bytes).replace("Level=6", "Level=0")));
    EXPECT_FALSE(Parse_Clock_State(QByteArray(bytes).replace("8:41", "8:61")));
    EXPECT_FALSE(Parse_Clock_State(QByteArray(bytes).replace("8:41", "841")));
    EXPECT_FALSE(Parse_Clock_State(QByteArray(bytes).replace("Running=1", "Running=yes")));
    EXPECT_FALSE(Parse_Clock_State(QByteArray("garbage")));
}

TEST_F(Clock_Resume_Test, KeptFromStartAtMostEveryTenSecondsAndAtEveryLevelChangeAndStop)
{
    Tourney_With_Time(QStringLiteral("Default"), 2);
    Start();
    EXPECT_FALSE(QFile::exists(Clock_File())); // a clock never started leaves no file
    form->Toggle_Start->trigger();
    auto kept = Kept();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Tourney, QStringLiteral("Default.trn"));
    EXPECT_EQ(kept->Level, 0);
    EXPECT_EQ(kept->Minutes, 2);
    EXPECT_EQ(kept->Seconds, 0);
    EXPECT_TRUE(kept->Running);

    Second(9);
    EXPECT_EQ(Kept()->Minutes, 2) << "written again before ten seconds";
    Second();
    kept = Kept();
    EXPECT_EQ(kept->Minutes, 1);
    EXPECT_EQ(kept->Seconds, 50);

    // The level runs out (the tick after 0:00): written at once with the new
    // level, full and running.
    Second(110);
    EXPECT_EQ(Shown_Time(), QStringLiteral("0:00"));
    Second();
    kept = Kept();
    EXPECT_EQ(kept->Level, 1);
    EXPECT_EQ(kept->Minutes, 2);
    EXPECT_EQ(kept->Seconds, 0);
    EXPECT_TRUE(kept->Running);

    Second(3);
    form->Next_Blind->trigger();
    kept = Kept();
    EXPECT_EQ(kept->Level, 2);
    EXPECT_EQ(kept->Seconds, 57);

    form->Toggle_Start->trigger();
    kept = Kept();
    EXPECT_FALSE(kept->Running);
    EXPECT_EQ(kept->Level, 2);

    Finish(); // a normal shut-down
    EXPECT_FALSE(QFile::exists(Clock_File()));
}

// File, Exit in the middle of the evening asks, naming the place, and keeps
// the clock stopped for the next start; No keeps the program open.
TEST_F(Clock_Resume_Test, ExitUnderWayAsksAndKeepsThePlaceForTheNextStart)
{
    Tourney_With_Time(QStringLiteral("Default"), 20);
    Start();
    form->show();
    form->Next_Blind->trigger();
    form->Toggle_Start->trigger();
    Second(19);
    script.answers.push_back(Answer::No);
    form->Exit1->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("The tournament is under way: the clock is running at level 2 "
                                                      "with 19:41 left. Exit now? The next start offers the clock "
                                                      "back, stopped."));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Clock.Paused, 0);

    script.answers.push_back(Answer::Yes);
    form->Exit1->trigger();
    EXPECT_FALSE(form->isVisible());
    Finish();
    ASSERT_TRUE(Kept());
    EXPECT_FALSE(Kept()->Running);
    EXPECT_EQ(Kept()->Level, 1);

    script.answers.push_back(Answer::Yes);
    Start();
    form->show();
    ASSERT_EQ(script.messages.size(), 3u);
    EXPECT_EQ(script.messages[2].text,
              QStringLiteral("The clock was stopped at level 2 with 19:41 left when Velmora closed. Resume it?"));
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("19:41"));
    EXPECT_NE(form->Clock.Paused, 0);

    Finish(); // a normal shut-down: nothing kept
    EXPECT_FALSE(Kept());
}

// With the winner known the night is over: File, Exit asks nothing, and the
// next start offers no clock back.
TEST_F(Clock_Resume_Test, ExitAfterTheWinnerIsKnownKeepsNoClock)
{
    Tourney_With_Time(QStringLiteral("Default"), 20);
    Start();
    form->show();
    form->Toggle_Start->trigger();
    Second(5);
    ASSERT_TRUE(Kept());
    CTourney& t = *form->Current_Tourney;
    qstrncpy(t.Players[0].Name, "Ann,Lee", sizeof t.Players[0].Name);
    t.Total = 1;
    t.Players[0].Place = 1;
    form->Exit1->trigger();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_FALSE(form->isVisible());
    Finish();
    EXPECT_FALSE(Kept());
}

TEST_F(Clock_Resume_Test, OpeningAnotherTournamentDropsTheFileOfTheOneLeft)
{
    Start();
    form->Toggle_Start->trigger();
    ASSERT_TRUE(QFile::exists(Clock_File()));
    script.files.push_back(folder.data() + QStringLiteral("Other.trn"));
    form->New_Tourney->trigger();
    EXPECT_FALSE(QFile::exists(Clock_File()));
    EXPECT_FALSE(QFile::exists(Clock_File(QStringLiteral("Other"))));
}

TEST_F(Clock_Resume_Test, YesPutsTheClockBackAtItsLevelAndTimePaused)
{
    Tourney_With_Time(QStringLiteral("Default"), 20);
    Leave_Clock_File(QStringLiteral("Default"), 5, 8, 41);
    script.answers.push_back(Answer::Yes);
    Start();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text,
              QStringLiteral("The clock was running at level 6 with 8:41 left when Velmora stopped. Resume it?"));
    EXPECT_EQ(script.messages[0].buttons, Buttons::Yes_No);
    EXPECT_EQ(form->CurrentLevel, 5);
    EXPECT_EQ(Shown_Time(), QStringLiteral("8:41"));
    EXPECT_EQ(form->Blind_Timer2->text(), QStringLiteral("8:41"));
    EXPECT_EQ(form->Level_Label->text(), QStringLiteral("Level 6 of 20"));
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("75"));
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Start"));

    // Paused: the time stays, also across a page switch; kept as stopped.
    Second(5);
    form->SpeedButtonClick(1);
    form->SpeedButtonClick(0);
    EXPECT_EQ(Shown_Time(), QStringLiteral("8:41"));
    EXPECT_FALSE(Kept()->Running);

    form->Toggle_Start->trigger();
    Second();
    EXPECT_EQ(Shown_Time(), QStringLiteral("8:40"));
}

TEST_F(Clock_Resume_Test, NoStartsAsAlwaysAndDropsTheFile)
{
    Tourney_With_Time(QStringLiteral("Default"), 20);
    Leave_Clock_File(QStringLiteral("Default"), 5, 8, 41);
    script.answers.push_back(Answer::No);
    Start();
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_EQ(Shown_Time(), QStringLiteral("20:00"));
    EXPECT_FALSE(QFile::exists(Clock_File()));
}

TEST_F(Clock_Resume_Test, ResumingATournamentOtherThanTheLastSavedOneOpensIt)
{
    // Killed after opening "Friday": the settings still name Default.
    Tourney_With_Time(QStringLiteral("Default"), 20);
    Tourney_With_Time(QStringLiteral("Friday"), 15);
    Leave_Clock_File(QStringLiteral("Friday"), 2, 3, 5);
    Start();
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Tourney_Name->text(), QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->CurrentLevel, 2);
    EXPECT_EQ(Shown_Time(), QStringLiteral("3:05"));
    Finish();
    EXPECT_FALSE(QFile::exists(Clock_File(QStringLiteral("Friday"))));
}

TEST_F(Clock_Resume_Test, UnreadableFilesOrAVanishedTournamentAskNothing)
{
    folder.Write(QStringLiteral("Data/Default.clock"), "[Clock]\nTourney=Default.trn\nLevel=");
    Leave_Clock_File(QStringLiteral("Gone"), 1, 1, 1);
    Start();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_FALSE(QFile::exists(Clock_File(QStringLiteral("Gone"))));
}

} // namespace
