// Loading tournaments from damaged, stale or foreign files: what is kept, what
// is corrected, and that nothing unread is ever written over.
#include "model/Tourney.h"
#include "platform/Velmora_error.h"
#include "support/Record_images.h"
#include "support/Test_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cfloat>

namespace {

class Tourney_Loading_Test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(folder.data())); }

    QString Trn_Text() const { return QString::fromUtf8(folder.Read("Data/Cup.trn")); }

    Test_Folder folder;
    CTourney t;
};

TEST_F(Tourney_Loading_Test, EntryRecordsWithoutANameAreSkippedAndEverythingAfterThemKept)
{
    // A nameless record first, another in the middle.
    folder.Write("Data/Cup.plr", Entry_Record("", 9, 9, 0) + Entry_Record("A,a", 1, 2, 0) + Entry_Record("") +
                                     Entry_Record("B,b", 3, 4, 0));
    t.Load_File("Cup");
    ASSERT_EQ(t.Total, 2);
    EXPECT_EQ(CTourney::Entry_Name(t.Players[0]), "A,a");
    EXPECT_EQ(t.Players[0].Seat, 2);
    EXPECT_EQ(CTourney::Entry_Name(t.Players[1]), "B,b");
    EXPECT_EQ(t.Players[2].Name[0], '\0');

    // Entering a player keeps both: the old reader counted four, the writer
    // stopped at the first empty name and the file became 0 bytes.
    EXPECT_EQ(t.Enter_Player("C,c"), 2);
    EXPECT_EQ(t.Total, 3);
    EXPECT_EQ(folder.Read("Data/Cup.plr"),
              Entry_Record("A,a", 1, 2, 0) + Entry_Record("B,b", 3, 4, 0) + Entry_Record("C,c"));

    // A file this program wrote reads back exactly.
    CTourney again;
    again.Load_File("Cup");
    again.Save_File("Cup");
    EXPECT_EQ(folder.Read("Data/Cup.plr"),
              Entry_Record("A,a", 1, 2, 0) + Entry_Record("B,b", 3, 4, 0) + Entry_Record("C,c"));
}

TEST_F(Tourney_Loading_Test, AnEntryFileThatCannotBeReadIsReportedAndNeverWrittenOver)
{
    const QByteArray stored = Entry_Record("A,a") + Entry_Record("B,b");
    const QString plr = folder.Write("Data/Cup.plr", stored);
    // Another tournament's entries are in memory before.
    folder.Write("Data/Other.plr", Entry_Record("X,x") + Entry_Record("Y,y"));
    t.Load_File("Other");
    ASSERT_EQ(t.Total, 2);

    // The owner may not read it (root included).
    ASSERT_TRUE(QFile::setPermissions(plr, QFileDevice::WriteOwner));
    try {
        t.Load_File("Cup");
        FAIL() << "an unreadable entry file read as missing";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to read " + plr);
    }
    EXPECT_EQ(t.Total, 0);
    EXPECT_EQ(t.Find_Entry("X,x"), -1); // the other tournament's entries are gone

    try {
        t.Save_File("Cup");
        FAIL() << "an unread entry file was replaced";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + plr);
    }
    EXPECT_THROW(t.Enter_Player("C,c"), Velmora_Error);
    EXPECT_EQ(t.Total, 0);

    ASSERT_TRUE(QFile::setPermissions(plr, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(folder.Read("Data/Cup.plr"), stored);
    t.Load_File("Cup");
    EXPECT_EQ(t.Total, 2);

    // A folder where the entry file should be.
    ASSERT_TRUE(QDir(folder.data()).mkdir("Hall.plr"));
    EXPECT_THROW(t.Load_File("Hall"), Velmora_Error);
    EXPECT_THROW(t.Write_Entries(), Velmora_Error);
    EXPECT_TRUE(QFileInfo(folder.data() + "Hall.plr").isDir());
}

TEST_F(Tourney_Loading_Test, OutIsMadeToAgreeWithTheEntriesStillIn)
{
    // Three entries, C out in third place: Out must be 2. A crash between the
    // knock-out and the next save left the tournament file at Out=3.
    const QByteArray entries = Entry_Record("A,a") + Entry_Record("B,b") + Entry_Record("C,c", 0, 0, 3);
    folder.Write("Data/Cup.plr", entries);
    folder.Write("Data/Cup.trn", "[Players]\nTotal=3\nOut=3\n");
    t.Load_File("Cup");
    EXPECT_EQ(t.Out, 2);
    t.Set_Out("B,b");
    EXPECT_EQ(t.Players[1].Place, 2); // not the third place C holds
    t.Set_Out("A,a");
    EXPECT_EQ(t.Players[0].Place, 1);
    EXPECT_EQ(t.Out, 0);

    // Out stored as 0 (a New right after a knock-out) or negative.
    for (const char* out : {"0", "-4", "150"}) {
        folder.Write("Data/Cup.plr", entries);
        folder.Write("Data/Cup.trn", QByteArray("[Players]\nOut=") + out + "\n");
        t.Load_File("Cup");
        EXPECT_EQ(t.Out, 2) << out;
    }

    // A consistent file is read as stored and written back byte for byte.
    t.Save_File("Cup");
    const QByteArray trn = folder.Read("Data/Cup.trn");
    const QByteArray plr = folder.Read("Data/Cup.plr");
    EXPECT_TRUE(Trn_Text().contains("\nOut=2\n"));
    CTourney again;
    again.Load_File("Cup");
    EXPECT_EQ(again.Out, 2);
    again.Save_File("Cup");
    EXPECT_EQ(folder.Read("Data/Cup.trn"), trn);
    EXPECT_EQ(folder.Read("Data/Cup.plr"), plr);
}

TEST_F(Tourney_Loading_Test, LevelLengthIsReadIntoOneToFiftyNineMinutes)
{
    const struct {
        const char* stored;
        int32_t read;
    } cases[] = {{"0", 1}, {"0xFFFFFFFF", 1}, {"-5", 1}, {"1", 1}, {"59", 59}, {"60", 59},
                 {"2147483647", 59}, {"0x1E", 30}, {"abc", 20}};
    for (const auto& c : cases) {
        folder.Write("Data/Cup.trn", QByteArray("[Setup]\nTime=") + c.stored + "\n");
        t.Load_File("Cup");
        EXPECT_EQ(t.Time, c.read) << c.stored;
    }
}

TEST_F(Tourney_Loading_Test, PrizesWrittenWithACommaAndTheLargestFloatReadBack)
{
    folder.Write("Data/Cup.trn", "[Prizes]\nTotal=12,5\nPrize 0=50,25\nPrize 1=3.40282346638529E38\n");
    t.Load_File("Cup");
    EXPECT_EQ(t.Prize_Total, 12.5f);
    EXPECT_EQ(t.Prize[0], 50.25f);
    EXPECT_EQ(t.Prize[1], FLT_MAX);

    t.Prize[2] = -FLT_MAX;
    t.Save_File("Cup");
    EXPECT_TRUE(Trn_Text().contains("[Prizes]\nTotal=12.5\nPrize 0=50.25\nPrize 1=3.40282346638529E38\n"
                                    "Prize 2=-3.40282346638529E38\n"));
    CTourney again;
    again.Load_File("Cup");
    EXPECT_EQ(again.Prize[1], FLT_MAX);
    EXPECT_EQ(again.Prize[2], -FLT_MAX);
}

} // namespace
