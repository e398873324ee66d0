// The playlist editor driven through its actions and buttons with the
// scripted host: rows, the Modified flag, the files written, showing and closing.
#include "forms/dialogs/Sound_dialog.h"
#include "forms/dialogs/Playlist_editor.h"

#include "support/Scripted_host.h"
#include "support/Test_folder.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using L = QStringList;

class PlaylistEditorTest : public ::testing::Test {
protected:
    Test_Folder folder;
    Scripted_Host host;
    TPlaylist_Form form;

    QString Path(const QString& name) const { return folder.path() + name; }

    L Rows() const
    {
        L rows;
        for (int i = 0; i < form.Play_List->count(); ++i)
            rows << form.Play_List->item(i)->text();
        return rows;
    }

    QList<int> Selected() const
    {
        QList<int> rows;
        for (int i = 0; i < form.Play_List->count(); ++i)
            if (form.Play_List->item(i)->isSelected())
                rows << i;
        return rows;
    }

    void Click_Row(int row)
    {
        QTest::mouseClick(form.Play_List->viewport(), Qt::LeftButton, {},
                          form.Play_List->visualItemRect(form.Play_List->item(row)).center());
    }

    void Show_With(const QByteArray& bytes)
    {
        form.PlaylistName = folder.Write("list.m3u", bytes);
        form.show();
    }

    void Add(const QString& song)
    {
        host.files.push_back(song);
        form.BitBtn1->click();
    }

    int Questions() const
    {
        int n = 0;
        for (const auto& m : host.messages)
            n += m.text == "Save changes to Playlist?" && m.caption == "Save Playlist" && m.buttons == Buttons::Yes_No;
        return n;
    }

    // "Save changes to the playlist?" asked before unsaved work is replaced.
    int Offers() const
    {
        int n = 0;
        for (const auto& m : host.messages)
            n += m.text == "Save changes to the playlist?" && m.caption == "Save Playlist"
                 && m.buttons == Buttons::Yes_No_Cancel;
        return n;
    }

    L Errors() const
    {
        L texts;
        for (const auto& m : host.messages)
            if (m.buttons == Buttons::OK)
                texts << m.text;
        return texts;
    }
};

TEST_F(PlaylistEditorTest, ShowingLoadsEveryLineAsARowAndStartsClean)
{
    Show_With("#EXTM3U\r\nC:\\Music\\One.mp3\r\n\r\n/home/me/Two.wav\n");
    EXPECT_EQ(Rows(), (L{"#EXTM3U", "C:\\Music\\One.mp3", "", "/home/me/Two.wav"}));
    EXPECT_EQ(form.List_Name->text(), "list.m3u");
    EXPECT_TRUE(Selected().isEmpty());

    Click_Row(1);
    Add("/m/x.wav");
    form.Timer1Timer();
    ASSERT_TRUE(form.Save_Btn->isEnabled());
    form.hide();

    form.PlaylistName.clear();
    form.show();
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(form.List_Name->text(), "");
    EXPECT_EQ(form.Selected_File->text(), "");
    EXPECT_FALSE(form.Modified);
    EXPECT_FALSE(form.Save_Btn->isEnabled());

    // A playlist that cannot be read is reported; the editor shows it empty.
    form.hide();
    form.PlaylistName = Path("gone.m3u");
    form.show();
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains(Path("gone.m3u")));
    EXPECT_TRUE(Rows().isEmpty());
}

TEST_F(PlaylistEditorTest, AddAppendsThePickedSongUnselected)
{
    QDir().mkpath(Path("Sounds"));
    form.show();
    host.files.push_back(""); // cancelled
    form.Add_Song->trigger();
    EXPECT_FALSE(form.Modified);
    Add("C:\\Music\\One.mp3");
    Add("/home/me/Two.wav");
    EXPECT_EQ(Rows(), (L{"C:\\Music\\One.mp3", "/home/me/Two.wav"}));
    EXPECT_TRUE(Selected().isEmpty());
    EXPECT_TRUE(form.Modified);
    const File_Dialog& d = host.file_dialogs.back();
    EXPECT_EQ(d.filter, Sound_Filter("Wave|*.wav|MP3|*.mp3", false));
    EXPECT_EQ(d.filter_index, 1);
    EXPECT_EQ(d.initial_dir, Path("Sounds/"));

    // Save follows Modified on the timer's beat.
    EXPECT_FALSE(form.Save_Btn->isEnabled());
    form.Timer1Timer();
    EXPECT_TRUE(form.Save_Btn->isEnabled());
}

TEST_F(PlaylistEditorTest, RemoveUpAndDown)
{
    Show_With("C:\\a.mp3\r\nC:\\b.mp3\r\nC:\\c.mp3\r\n");
    form.Up_Song->trigger(); // nothing selected
    form.Down_Song->trigger();
    Click_Row(0);
    form.BitBtn3->click(); // Up on the first row
    EXPECT_EQ(Rows(), (L{"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"}));
    EXPECT_FALSE(form.Modified);

    form.BitBtn4->click();
    EXPECT_EQ(Rows(), (L{"C:\\b.mp3", "C:\\a.mp3", "C:\\c.mp3"}));
    EXPECT_EQ(Selected(), QList<int>{1});
    EXPECT_TRUE(form.Modified);
    form.BitBtn4->click();
    form.Modified = false;
    form.BitBtn4->click(); // Down on the last row
    EXPECT_EQ(Rows(), (L{"C:\\b.mp3", "C:\\c.mp3", "C:\\a.mp3"}));
    EXPECT_EQ(Selected(), QList<int>{2});
    EXPECT_FALSE(form.Modified);
    form.BitBtn3->click();
    EXPECT_EQ(Rows(), (L{"C:\\b.mp3", "C:\\a.mp3", "C:\\c.mp3"}));
    EXPECT_EQ(Selected(), QList<int>{1});
    EXPECT_TRUE(form.Modified);

    form.BitBtn2->click();
    EXPECT_EQ(Rows(), (L{"C:\\b.mp3", "C:\\c.mp3"}));
    EXPECT_TRUE(Selected().isEmpty());
    EXPECT_EQ(form.Selected_File->text(), ""); // the removed song's name goes with it
    form.Modified = false;
    form.Remove_Song->trigger(); // nothing selected: still marks Modified
    EXPECT_EQ(Rows().size(), 2);
    EXPECT_TRUE(form.Modified);
}

TEST_F(PlaylistEditorTest, ClickingARowShowsItsNameWithoutFolder)
{
    Show_With("/music/My Songs/Song One.mp3\r\n/music/Act 2: Finale.wav\r\n/home/me/Three.wav\r\n");
    const L expected = {"Song One.mp3", "Act 2: Finale.wav", "Three.wav"};
    for (int row = 0; row < expected.size(); ++row) {
        Click_Row(row);
        EXPECT_EQ(form.Selected_File->text(), expected[row]);
    }
}

TEST_F(PlaylistEditorTest, SaveAsksThenWritesTheRowsExactly)
{
    Show_With("");
    Add("C:\\Music\\One.mp3");
    Add("/home/me/Two.wav");
    form.Timer1Timer();

    host.answers = {Answer::No};
    form.Save_Btn->click();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(folder.Read("list.m3u"), QByteArray());
    EXPECT_TRUE(form.Modified);

    form.Save_Btn->click();
    EXPECT_EQ(folder.Read("list.m3u"), QByteArray("C:\\Music\\One.mp3\r\n/home/me/Two.wav\r\n"));
    EXPECT_FALSE(form.Modified);
    form.Timer1Timer();
    form.Save_List->trigger(); // disabled: does nothing, asks nothing
    EXPECT_EQ(Questions(), 2);

    form.hide();
    form.show();
    EXPECT_EQ(Rows(), (L{"C:\\Music\\One.mp3", "/home/me/Two.wav"}));
}

TEST_F(PlaylistEditorTest, SavingAnUnnamedListAsksForAName)
{
    form.show();
    Add("/m/a.wav");
    form.Timer1Timer();

    host.files = {""}; // the save dialog is cancelled
    form.Save_List->trigger();
    EXPECT_TRUE(QDir(folder.path()).entryList({"*.m3u"}).isEmpty());
    form.Timer1Timer();
    EXPECT_TRUE(form.Save_Btn->isEnabled());

    host.files = {Path("party")}; // typed without an extension
    form.Save_List->trigger();
    EXPECT_EQ(host.file_dialogs.back().filter, "Playlist (*.m3u)|*.m3u");
    EXPECT_EQ(form.PlaylistName, Path("party.m3u"));
    EXPECT_EQ(folder.Read("party.m3u"), QByteArray("/m/a.wav\r\n"));
    EXPECT_EQ(form.List_Name->text(), "party.m3u");
    EXPECT_FALSE(form.Modified);
}

TEST_F(PlaylistEditorTest, OpenAndNewOfferUnsavedChangesFirst)
{
    Show_With("/m/a.wav\r\n");
    Add("/m/b.wav");
    const QString other = folder.Write("sub/other.m3u", "#EXTM3U\r\n\r\n/x/1.mp3\r\n");
    Click_Row(1);
    ASSERT_EQ(form.Selected_File->text(), "b.wav");

    // Cancel keeps everything as it was; no file dialog is shown.
    host.answers = {Answer::Cancel};
    host.files = {other};
    form.BitBtn5->click();
    EXPECT_EQ(Offers(), 1);
    EXPECT_EQ(Rows(), (L{"/m/a.wav", "/m/b.wav"}));
    EXPECT_TRUE(form.Modified);
    EXPECT_TRUE(host.file_dialogs.size() == 1u); // the Add only

    // Yes saves the list, then opens the other one as it stands.
    host.answers = {Answer::Yes};
    form.BitBtn5->click();
    EXPECT_EQ(folder.Read("list.m3u"), QByteArray("/m/a.wav\r\n/m/b.wav\r\n"));
    EXPECT_EQ(Rows(), (L{"#EXTM3U", "", "/x/1.mp3"}));
    EXPECT_EQ(form.PlaylistName, other);
    EXPECT_EQ(form.List_Name->text(), "other.m3u");
    EXPECT_EQ(form.Selected_File->text(), ""); // nothing is selected in it
    EXPECT_FALSE(form.Modified);

    host.files = {Path("gone.m3u")};
    form.Open_List->trigger(); // unreadable: reported, nothing changes
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_EQ(form.PlaylistName, other);
    EXPECT_EQ(Rows().size(), 3);

    // No discards the changes; New empties the chosen file at once.
    Add("/m/c.wav");
    host.answers = {Answer::No};
    host.files = {folder.path() + "list.m3u"};
    form.BitBtn6->click();
    EXPECT_EQ(Offers(), 3);
    EXPECT_EQ(folder.Read("list.m3u"), QByteArray());
    EXPECT_EQ(folder.Read("sub/other.m3u"), QByteArray("#EXTM3U\r\n\r\n/x/1.mp3\r\n"));
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_EQ(form.PlaylistName, Path("list.m3u"));
    EXPECT_FALSE(form.Modified);

    // Without changes nothing is asked.
    host.files = {other};
    form.BitBtn5->click();
    EXPECT_EQ(Offers(), 3);
}

TEST_F(PlaylistEditorTest, ClosingOffersToSaveUnsavedChanges)
{
    Show_With("/m/a.wav\r\n");
    Add("/m/b.wav"); // closed at once, before the timer has enabled Save
    host.answers = {Answer::No};
    form.Button1->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Offers(), 1);
    EXPECT_EQ(folder.Read("list.m3u"), QByteArray("/m/a.wav\r\n"));

    form.show();
    Add("/m/c.wav");
    host.answers = {Answer::Cancel};
    form.close(); // Cancel keeps the editor open with its changes
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.Modified);
    form.close(); // the close box; the default answer is Yes
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(folder.Read("list.m3u"), QByteArray("/m/a.wav\r\n/m/c.wav\r\n"));

    form.show();
    QTest::keyClick(&form, Qt::Key_Escape); // no changes: nothing asked
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Offers(), 3);
}

TEST_F(PlaylistEditorTest, ACancelledNameOnClosingKeepsTheEditorOpen)
{
    form.PlaylistName.clear();
    form.show();
    Add("/m/a.wav");
    host.answers = {Answer::Yes};
    host.files = {""}; // the name is not given
    form.Button1->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.Modified);
    host.answers = {Answer::Yes};
    host.files = {Path("named")};
    form.Button1->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(folder.Read("named.m3u"), QByteArray("/m/a.wav\r\n"));
    EXPECT_EQ(form.PlaylistName, Path("named.m3u"));
}

TEST_F(PlaylistEditorTest, ShownModallyItReturnsTheNameChosenThere)
{
    host.modal_scripts["Playlist_Form"] = [this](QDialog*) {
        Add("/m/a.wav");
        host.files.push_back(Path("made"));
        form.Button1->click(); // asks, then names the list
        return 0;
    };
    host.Show_Modal(&form);
    EXPECT_EQ(form.PlaylistName, Path("made.m3u"));
    EXPECT_EQ(folder.Read("made.m3u"), QByteArray("/m/a.wav\r\n"));
}

TEST_F(PlaylistEditorTest, ASaveThatFailsOnClosingKeepsTheEditorOpen)
{
    form.PlaylistName = Path("no/folder/list.m3u");
    form.show();
    host.messages.clear(); // the failed read on showing
    Add("/m/a.wav");
    form.Button1->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Errors(), L{"Unable to write to " + Path("no/folder/list.m3u")});

    host.answers = {Answer::No};
    form.Button1->click();
    EXPECT_FALSE(form.isVisible());
}

} // namespace
