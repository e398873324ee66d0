// The Blinds page: the schedule and the level length moved between the page
// and the tournament, and the sound choices.
#include "Main_window_test.h"
#include "forms/dialogs/Sound_dialog.h"

#include <QCoreApplication>

#include <QWheelEvent>

#include <QTest>

#include "forms/widgets/Spin_box.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

class Blinds_Page_Test : public Main_Window_Test {
protected:
    QString Trn() const { return QString::fromLatin1(folder.Read("Data/Default.trn")); }
    void Switch_Page() { form->SpeedButton5->click(); }
};

TEST_F(Blinds_Page_Test, FieldsConvertOneByOneAndBadTextStoresZero)
{
    Start();
    form->SB_Edit[0]->setText(QStringLiteral("1,000"));
    form->BB_Edit[0]->setText(QStringLiteral("25 chips"));
    form->SB_Edit[1]->setText(QStringLiteral("-5"));
    form->BB_Edit[1]->setText(QString());
    form->SB_Edit[2]->setText(QStringLiteral("+40"));
    form->BB_Edit[2]->setText(QStringLiteral("99999999999"));
    form->SB_Edit[3]->setText(QStringLiteral("0x10"));
    Switch_Page();

    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(form->SB_Edit[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->BB_Edit[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->SB_Edit[1]->text(), QStringLiteral("-5"));
    EXPECT_EQ(form->BB_Edit[1]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->SB_Edit[2]->text(), QStringLiteral("40"));
    EXPECT_EQ(form->BB_Edit[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->SB_Edit[3]->text(), QStringLiteral("0"));
    const QString trn = Trn();
    EXPECT_TRUE(trn.contains(QStringLiteral("\nSB0=0\nBB0=0\nSB1=-5\nBB1=0\nSB2=40\nBB2=0\nSB3=0\n")));
    // The levels that were left alone keep their values.
    EXPECT_TRUE(trn.contains(QStringLiteral("\nSB19=7500\nBB19=15000\n")));
}

TEST_F(Blinds_Page_Test, ClearedLevelsReadZeroOnThePageInTheFileAndOnTheClock)
{
    Start();
    for (int level = 14; level < 20; ++level) {
        form->SB_Edit[level]->clear();
        form->BB_Edit[level]->clear();
    }
    Switch_Page();
    for (int level = 14; level < 20; ++level) {
        EXPECT_EQ(form->SB_Edit[level]->text(), QStringLiteral("0"));
        EXPECT_TRUE(Trn().contains(QStringLiteral("\nBB%1=0\n").arg(level)));
    }
    for (int i = 0; i < 14; ++i)
        form->Next_Blind->trigger();
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("0"));
    EXPECT_EQ(form->Big_Blind2->text(), QStringLiteral("0"));
}

TEST_F(Blinds_Page_Test, LevelLengthIsKeptWithinOneToFiftyNine)
{
    folder.Write("Data/Default.trn", "[Setup]\nTime=75\n");
    Start();
    EXPECT_EQ(form->Timer_Spin->value(), 59);
    // The first level and the following ones have the same length.
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("59:00"));
    Switch_Page();
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Setup]\nTime=59\n")));
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("59:00"));

    folder.Write("Data/Default.trn", "[Setup]\nTime=-3\n");
    form->Load_Design->trigger();
    EXPECT_EQ(form->Timer_Spin->value(), 1);
    // Typing is disabled; the arrows step by one.
    EXPECT_TRUE(form->Timer_Spin->findChild<QLineEdit*>()->isReadOnly());
    form->Timer_Spin->stepUp();
    EXPECT_EQ(form->Timer_Spin->value(), 2);
}

TEST_F(Blinds_Page_Test, LevelLengthMovesOnlyByOneWithItsArrows)
{
    Start();
    Spin_Box* spin = form->Timer_Spin;
    spin->setFocus();
    EXPECT_EQ(spin->value(), 20);
    QTest::keyClick(spin, Qt::Key_PageUp);
    QTest::keyClick(spin, Qt::Key_PageDown);
    QTest::keyClick(spin, Qt::Key_PageUp);
    EXPECT_EQ(spin->value(), 20);
    QTest::keyClick(spin, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(spin->value(), 21);
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->value(), 20);
    QWheelEvent wheel(QPointF(5, 5), spin->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(spin, &wheel);
    EXPECT_EQ(spin->value(), 20);
    spin->stepBy(10);
    EXPECT_EQ(spin->value(), 21);
}

TEST_F(Blinds_Page_Test, SpinBoxReadsTextThatIsNotANumberAsItsMinimum)
{
    Start();
    Spin_Box box;
    box.setRange(3, 9);
    box.Set_Value(12);
    EXPECT_EQ(box.Value(), 9);
    box.findChild<QLineEdit*>()->setText(QStringLiteral("abc"));
    EXPECT_EQ(box.Value(), 3);
    EXPECT_EQ(box.text(), QStringLiteral("3"));
}

TEST_F(Blinds_Page_Test, EditButtonFollowsTheExactPlaylistExtension)
{
    folder.Write("Data/Default.trn", "[Setup]\nSound=/music/NIGHT.M3U\n");
    Start();
    EXPECT_FALSE(form->Edit_List_Btn->isEnabled());
    EXPECT_FALSE(form->Edit_PlayList->isEnabled());

    // A disabled command does nothing even when executed.
    form->Edit_PlayList->trigger();
    EXPECT_EQ(script.modals_shown.size(), 1); // the splash

    form->Sound_Edit1->setText(QStringLiteral("/music/night.m3u"));
    Switch_Page();
    EXPECT_TRUE(form->Edit_List_Btn->isEnabled());
    form->Sound_Edit1->setText(QStringLiteral("/music.m3u/bell"));
    Switch_Page();
    EXPECT_FALSE(form->Edit_List_Btn->isEnabled());
}

// The sound dialogs' first entry, which they preselect, takes every kind of
// file the player plays (each shipped cue among them) and, for the blind
// sound, playlists; the documented entries follow it.
TEST(Sound_Dialog, TheFirstFilterShowsEverySoundAtOnce)
{
    const QDir shipped(QStringLiteral(VELMORA_BUILD_DIR "/Sounds"));
    ASSERT_GE(shipped.entryList(QDir::Files).size(), 2);
    EXPECT_EQ(shipped.entryList(Playable_Sound_Patterns(), QDir::Files), shipped.entryList(QDir::Files));
    struct Case {
        bool playlists;
        const char* qt_filter;
    };
    const Case cases[] = {
        {false, "Sounds (*.wav *.mp3 *.ogg *.flac *.opus);;MP3 (*.mp3)"},
        {true, "Sounds and playlists (*.wav *.mp3 *.ogg *.flac *.opus *.m3u);;MP3 (*.mp3)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Qt_Filter(Sound_Filter("MP3 (*.mp3)|*.mp3", c.playlists)), QString::fromLatin1(c.qt_filter));
}

TEST_F(Blinds_Page_Test, BrowseButtonsFillThePathsAndTheRecordAtOnce)
{
    Start();
    const QString list = Sound_File(QStringLiteral("songs.m3u"));
    script.files.push_back(list);
    form->FindBtn->click();
    ASSERT_EQ(script.file_dialogs.size(), 1u);
    EXPECT_EQ(script.file_dialogs[0].title, QStringLiteral("Find Blind Timer Sound Effect"));
    EXPECT_EQ(script.file_dialogs[0].filter,
              Sound_Filter("MP3 (*.mp3)|*.mp3|Wave (*.wav)|*.wav|Playlist (*.m3u)|*.m3u|All (*.*)|*.*", true));
    EXPECT_EQ(script.file_dialogs[0].filter_index, 1);
    EXPECT_EQ(form->Sound_Edit1->text(), list);
    EXPECT_EQ(form->Current_Tourney->Sound, list);
    EXPECT_TRUE(form->Edit_List_Btn->isEnabled());

    const QString bell = Sound_File(QStringLiteral("bell.wav"));
    script.files.push_back(bell);
    form->FindBtn->click();
    EXPECT_FALSE(form->Edit_List_Btn->isEnabled());
    form->FindBtn->click(); // cancelled: nothing changes
    EXPECT_EQ(form->Sound_Edit1->text(), bell);

    script.files.push_back(bell);
    form->SpeedButton12->click();
    EXPECT_EQ(script.file_dialogs.back().title, QStringLiteral("Find Warning Sound Effect"));
    EXPECT_EQ(script.file_dialogs.back().filter, Sound_Filter("MP3 (*.mp3)|*.mp3|Wave (*.wav)|*.wav|All (*.*)|*.*", false));
    EXPECT_EQ(script.file_dialogs.back().filter_index, 1);
    EXPECT_EQ(form->Warning_Edit->text(), bell);
    EXPECT_EQ(form->Current_Tourney->Warning, bell);
}

TEST_F(Blinds_Page_Test, TypedPathIsUsedForPlainFilesButNotForThePlaylistTest)
{
    const QString bell = Sound_File(QStringLiteral("bell.wav"));
    folder.Write("Data/Default.trn", "[Setup]\nTime=1\n");
    Start();
    form->Sound_Edit1->setText(bell); // typed, not saved
    form->Toggle_Start->trigger();
    Tick(61);
    EXPECT_EQ(player->played, QStringList{bell});
}

TEST_F(Blinds_Page_Test, PlaylistEditorReturnSetsTheSoundAndKeepsPendingEdits)
{
    const QString first = Sound_File(QStringLiteral("first.m3u"));
    const QString second = Sound_File(QStringLiteral("second.m3u"));
    folder.Write("Data/Default.trn", ("[Setup]\nSound=" + first + "\n").toLatin1());
    Start();
    form->SB_Edit[0]->setText(QStringLiteral("77")); // a pending edit
    QString seen;
    script.modal_scripts[QStringLiteral("Playlist_Form")] = [&](QDialog*) {
        seen = Playlist_Form->PlaylistName;
        Playlist_Form->PlaylistName = second; // the operator opened another list
        return 0;
    };
    form->Edit_List_Btn->click();
    EXPECT_EQ(seen, first);
    EXPECT_EQ(form->Current_Tourney->Sound, second);
    EXPECT_EQ(form->Sound_Edit1->text(), second);
    // What was typed on the page before is still there.
    EXPECT_EQ(form->SB_Edit[0]->text(), QStringLiteral("77"));
    EXPECT_TRUE(form->Edit_List_Btn->isEnabled());
}

TEST_F(Blinds_Page_Test, ToolsMenuOpensAnEmptyEditorNotAttachedToTheTournament)
{
    const QString list = Sound_File(QStringLiteral("list.m3u"));
    folder.Write("Data/Default.trn", ("[Setup]\nSound=" + list + "\n").toLatin1());
    Start();
    Playlist_Form->PlaylistName = list;
    QString seen = QStringLiteral("unset");
    script.modal_scripts[QStringLiteral("Playlist_Form")] = [&](QDialog*) {
        seen = Playlist_Form->PlaylistName;
        Playlist_Form->PlaylistName = QStringLiteral("/other.m3u");
        return 0;
    };
    form->PlaylistEditor1->trigger();
    EXPECT_EQ(seen, QString());
    EXPECT_EQ(form->Current_Tourney->Sound, list);
}

} // namespace
