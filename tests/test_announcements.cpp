// Spoken announcements: the option and its setting, what is said after the
// level-end and warning cues, that texts wait for the cue and for each other,
// and that the clock never waits for the voice.
#include "Display_fixture.h"

#include "forms/display/Announcer.h"
#include "platform/Speaker.h"

#include <QTextToSpeech>

namespace {

class Announcement_Test : public Display_Fixture {
protected:
    qint64 voice_ms = 0;
    QString bell, chime;

    void Start_With_Cues(int minutes)
    {
        bell = Sound_File(QStringLiteral("bell.wav"));
        chime = Sound_File(QStringLiteral("chime.wav"));
        Start_Tourney("Sound=" + bell.toUtf8() + "\nWarning=" + chime.toUtf8() + "\n", minutes, 0, 0);
        form->Level_Announcer()->Set_Monotonic_Clock([this] { return voice_ms; });
    }
    void Pump() { form->Level_Announcer()->Pump(); }
    // Runs the clock to the end of the first level; the cue is then over.
    void Run_First_Level(int minutes)
    {
        form->Toggle_Start->trigger();
        Tick(minutes * 60 + 1);
        player->playing = false;
    }
};

TEST_F(Announcement_Test, OffByDefaultAndTheChoiceIsKeptInTheSettingsFile)
{
    Start_With_Cues(2);
    EXPECT_EQ(form->AnnounceLevels1->text(), QStringLiteral("Announce Levels"));
    EXPECT_TRUE(form->AnnounceLevels1->isEnabled());
    EXPECT_FALSE(form->AnnounceLevels1->isChecked());
    Run_First_Level(2);
    Pump();
    EXPECT_TRUE(voice->said.isEmpty());

    form->AnnounceLevels1->trigger();
    EXPECT_TRUE(form->Announce_Levels->isChecked());
    EXPECT_TRUE(form->AnnounceLevels1->isChecked());
    EXPECT_EQ(Setting("Announcements", "Announce Levels"), QStringLiteral("1"));

    Finish();
    Start_With_Cues(2);
    EXPECT_TRUE(form->AnnounceLevels1->isChecked());
    form->AnnounceLevels1->trigger();
    EXPECT_EQ(Setting("Announcements", "Announce Levels"), QStringLiteral("0"));
}

TEST_F(Announcement_Test, LevelAndLastMinuteAreSpokenAfterTheirCues)
{
    Start_With_Cues(2);
    form->Announce_Levels->trigger();
    form->Toggle_Start->trigger();
    Tick(60); // shows 1:00: the warning cue plays
    EXPECT_EQ(player->played, QStringList{chime});
    // The clock has not waited for the voice, and the voice waits for the cue.
    EXPECT_TRUE(voice->said.isEmpty());
    Pump();
    EXPECT_TRUE(voice->said.isEmpty());
    player->playing = false;
    Pump();
    EXPECT_EQ(voice->said, QStringList{"One minute left in this level."});
    voice->Finish();

    Tick(61); // the level ends: bell, level 2 with blinds 10 and 20
    EXPECT_EQ(player->played.last(), bell);
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(Shown_Time(), QStringLiteral("2:00"));
    Pump();
    EXPECT_EQ(voice->said.size(), 1);
    player->playing = false;
    Pump();
    EXPECT_EQ(voice->said.last(), QStringLiteral("Level 2. Blinds 10 and 20."));
    // Moving a level by hand is the operator's business: nothing is said.
    voice->Finish();
    form->Next_Blind->trigger();
    Pump();
    EXPECT_EQ(voice->said.size(), 2);
}

TEST_F(Announcement_Test, TextsNeverSpeakOverEachOtherOrOverACueForLong)
{
    Start_With_Cues(2);
    form->Announce_Levels->trigger();
    Run_First_Level(2);
    Pump();
    // The last minute was never said: the news of level 2 replaced it.
    ASSERT_EQ(voice->said, QStringList{"Level 2. Blinds 10 and 20."});
    // Still speaking "Level 2": the next level's text waits its turn.
    form->Clock.Minutes = 0;
    form->Clock.Seconds = 0;
    Tick();
    player->playing = false;
    Pump();
    Pump();
    EXPECT_EQ(voice->said.size(), 1);
    voice->Finish();
    Pump();
    EXPECT_EQ(voice->said.last(), QStringLiteral("Level 3. Blinds 20 and 40."));
    voice->Finish();

    // A long song as the cue: spoken over once it has played a while.
    form->Clock.Minutes = 0;
    form->Clock.Seconds = 0;
    Tick();
    ASSERT_TRUE(player->playing);
    voice_ms += Announcer::Longest_Cue_Wait_Ms - 1;
    Pump();
    EXPECT_EQ(voice->said.size(), 2);
    voice_ms += 1;
    Pump();
    EXPECT_EQ(voice->said.last(), QStringLiteral("Level 4. Blinds 25 and 50."));
}

TEST_F(Announcement_Test, OnlyTheLatestNewsIsSpokenAfterTheClockCatchesUp)
{
    Start_With_Cues(1);
    form->Announce_Levels->trigger();
    form->Toggle_Start->trigger();
    monotonic_ms = 3 * 61 * 1000; // the window was held up for three levels
    Tick();
    EXPECT_EQ(form->CurrentLevel, 3);
    player->playing = false;
    Pump();
    EXPECT_EQ(voice->said, QStringList{"Level 4. Blinds 25 and 50."});
}

TEST_F(Announcement_Test, TurningTheOptionOffDropsWhatWaits)
{
    Start_With_Cues(2);
    form->Announce_Levels->trigger();
    form->Toggle_Start->trigger();
    Tick(60);
    form->Announce_Levels->trigger();
    player->playing = false;
    Pump();
    EXPECT_TRUE(voice->said.isEmpty());
    EXPECT_FALSE(form->Level_Announcer()->Waiting());
}

TEST_F(Announcement_Test, WithoutAVoiceTheOptionIsDisabledAndSaysWhy)
{
    folder.Write(QFileInfo(Settings_Path()).fileName(), "[Announcements]\nAnnounce Levels=1\n");
    Start_With_Cues(2);
    auto mute = std::make_unique<Recording_Speaker>();
    mute->available = false;
    Recording_Speaker* m = mute.get();
    form->Set_Speaker(std::move(mute));
    EXPECT_FALSE(form->Announce_Levels->isEnabled());
    EXPECT_FALSE(form->AnnounceLevels1->isEnabled());
    EXPECT_FALSE(form->AnnounceLevels1->isChecked());
    EXPECT_EQ(form->AnnounceLevels1->toolTip(), m->reason);
    form->AnnounceLevels1->trigger(); // a disabled command does nothing
    Run_First_Level(2);
    Pump();
    EXPECT_TRUE(m->said.isEmpty());
    // The operator's choice is kept for a machine that has a voice.
    EXPECT_EQ(Setting("Announcements", "Announce Levels"), QStringLiteral("1"));
}

TEST(Announcer_Texts, AreSpokenAsTheRoomReadsThem)
{
    struct Case {
        QString said, expected;
    };
    const Case cases[] = {
        {Announcer::Level_Text(4, 50, 100), "Level 4. Blinds 50 and 100."},
        {Announcer::Level_Text(12, 0, 0), "Level 12."},
        {Announcer::Level_Text(7, 200, 400, 50), "Level 7. Blinds 200 and 400, ante 50."},
        {Announcer::Level_Text(7, 200, 400, 400, Ante_Kind::Big_Blind), "Level 7. Blinds 200 and 400, big blind ante 400."},
        {Announcer::Last_Minute_Text(), "One minute left in this level."},
        {Announcer::Last_Minute_Text(true), "One minute left in the break."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.said, c.expected);
}

// The program's own voice: the flite engine the install script brings.
TEST(Qt_Speaker_Test, FindsTheOfflineEngineOrSaysWhyNot)
{
    Qt_Speaker speaker;
    const bool flite = QTextToSpeech::availableEngines().contains(QStringLiteral("flite"));
    EXPECT_EQ(speaker.Available(), !QTextToSpeech::availableEngines().isEmpty());
    EXPECT_EQ(speaker.Unavailable_Reason().isEmpty(), speaker.Available());
    EXPECT_TRUE(flite) << "the flite engine is not installed (scripts/install-deps.sh)";
    EXPECT_FALSE(speaker.Is_Speaking());
}

} // namespace
