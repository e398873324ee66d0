// The player database: record layout, the file, and Load/Save/Find/Add/Delete/Next.
#include "model/Player.h"
#include "model/Person_name.h"
#include "platform/Program_folder.h"
#include "platform/Velmora_error.h"
#include "support/Record_images.h"
#include "support/Test_folder.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstring>

namespace {

CPlayer Make_Player(const QString& first, const QString& last, const QString& aka = {}, const QString& phone = {},
                    const QString& cell = {})
{
    CPlayer p;
    Set_Field(p.First, Player_Text_Size, first);
    Set_Field(p.Last, Player_Text_Size, last);
    Set_Field(p.Aka, Player_Text_Size, aka);
    Set_Field(p.Phone, Player_Text_Size, phone);
    Set_Field(p.Cell, Player_Text_Size, cell);
    p.Empty = 0;
    return p;
}

QByteArray Db_File(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += Db_Record(static_cast<uint32_t>(i), "P" + QByteArray::number(i), "L");
    return bytes;
}

class Player_DB_Test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(folder.data())); }

    void Store(const QByteArray& bytes)
    {
        folder.Write("Data/PdB.data", bytes);
        Player_DB.Load();
    }
    QByteArray File() const { return folder.Read("Data/PdB.data"); }

    Test_Folder folder;
};

TEST(Player_Fields, SetFieldCutsAndZeroFillsAndFieldTextStopsAtTheNul)
{
    char field[Player_Text_Size];
    std::memset(field, 'x', sizeof field);
    Set_Field(field, Player_Text_Size, "Ann");
    EXPECT_EQ(QByteArray(field, sizeof field), QByteArray("Ann") + QByteArray(17, '\0'));
    EXPECT_EQ(Field_Text(field, Player_Text_Size), "Ann");

    Set_Field(field, Player_Text_Size, QString(25, 'z'));
    EXPECT_EQ(field[19], '\0');
    EXPECT_EQ(Field_Text(field, Player_Text_Size), QString(19, 'z'));

    Set_Field(field, Player_Text_Size, QString::fromUtf8("Müller"));
    EXPECT_EQ(static_cast<unsigned char>(field[1]), 0xFC); // Latin-1
    EXPECT_EQ(Field_Text(field, Player_Text_Size), QString::fromUtf8("Müller"));

    std::memset(field, 'q', sizeof field); // no NUL at all
    EXPECT_EQ(Field_Text(field, Player_Text_Size), QString(20, 'q'));

    CPlayer fresh;
    EXPECT_EQ(fresh.Empty, 1);
    EXPECT_EQ(fresh.Key(), ",");
    EXPECT_EQ(Make_Player("Ann", "Lee").Key(), "Ann,Lee");
    EXPECT_EQ(Make_Player(" Ann", "Lee ").Key(), " Ann,Lee "); // nothing trimmed
}

// Sentences name a player "First Last", not by his key.
TEST(Player_Fields, SentencesNameAPlayerAsPeopleSayIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Ben,Ortiz", "Ben Ortiz"}, {"Ann ,Berg", "Ann Berg"}, {" Jo, Li ", "Jo Li"},
        {"Cher,", "Cher"},          {",Prince", "Prince"},     {"NoComma", "NoComma"},
        {"A,b,c", "A b,c"},         {"", ""},
    };
    for (const auto& [key, said] : cases)
        EXPECT_EQ(Person_Name(QString::fromLatin1(key)), QString::fromLatin1(said)) << key;
}

TEST_F(Player_DB_Test, GlobalFollowsTheProgramFolder)
{
    EXPECT_EQ(Player_DB.Path, folder.data() + "PdB.data");
    EXPECT_EQ(Player_DB.Count, 0);
    EXPECT_EQ(Player_DB.Player[0].Empty, 1);
    EXPECT_EQ(Player_Buf.Empty, 1);
    EXPECT_EQ(CPlayerDB("Other.data").Path, folder.data() + "Other.data");
}

TEST_F(Player_DB_Test, AddWritesTheRecordImage)
{
    for (const char* name : {"Bo", "Cy", "Di"})
        ASSERT_TRUE(Player_DB.Add(Make_Player(name, "X")));
    CPlayer ann = Make_Player("Ann", "Lee", "Annie", "555-0101", "555-0199");
    ann.Number = 77;  // replaced by the slot count
    ann.Empty = 1;    // a stored record is never free
    ASSERT_TRUE(Player_DB.Add(ann));
    EXPECT_EQ(Player_DB.Count, 4);

    QByteArray file = File();
    ASSERT_EQ(file.size(), 4 * 116);
    QByteArray expected = QByteArray::fromHex("03000000"                                   // Number
                                              "00"                                         // Empty
                                              "416E6E00" "00000000000000000000000000000000" // First
                                              "4C656500" "00000000000000000000000000000000" // Last
                                              "416E6E696500" "0000000000000000000000000000" // Aka
                                              "3535352D3031303100" "0000000000000000000000" // Phone
                                              "3535352D3031393900" "0000000000000000000000" // Cell
                                              "000000"                                     // alignment
                                              "00000000"                                   // Reserved1
                                              "00000000");                                 // Reserved2
    EXPECT_EQ(file.mid(3 * 116), expected);
    EXPECT_EQ(file.left(116), Db_Record(0, "Bo", "X"));
}

TEST_F(Player_DB_Test, TheTableHoldsAtMost150)
{
    Store(Db_File(149));
    EXPECT_EQ(Player_DB.Count, 149);
    EXPECT_TRUE(Player_DB.Add(Make_Player("Last", "One")));
    EXPECT_EQ(Player_DB.Count, 150);
    EXPECT_EQ(Player_DB.Player[149].Number, 149u);
    EXPECT_FALSE(Player_DB.Add(Make_Player("Too", "Many")));
    EXPECT_EQ(Player_DB.Count, 150);
    EXPECT_EQ(File().size(), 17400);
    EXPECT_EQ(File().right(116), Db_Record(149, "Last", "One"));
    EXPECT_EQ(Player_DB.Find("Too,Many"), 150);
}

// A damaged "free" mark inside the file hides nobody: every record read is a
// player, for the walk through the table and for the players added later.
TEST_F(Player_DB_Test, ARecordMarkedFreeInTheFileIsStillAPlayer)
{
    QByteArray bytes = Db_File(3);
    bytes[116 + 4] = 1; // the second record's Empty byte
    Store(bytes);
    ASSERT_TRUE(Player_DB.Add(Make_Player("Ann", "Lee")));
    QStringList walked;
    Player_DB.Cursor = 0;
    for (int i = 0; i < Max_Players && Player_DB.Current().Empty == 0; ++i, Player_DB.Next())
        walked << Player_DB.Current().Key();
    EXPECT_EQ(walked, (QStringList{"P0,L", "P1,L", "P2,L", "Ann,Lee"}));
    // The file holds every record as a stored player.
    EXPECT_EQ(File().size(), 4 * 116);
    EXPECT_EQ(File().at(116 + 4), '\0');
}

TEST_F(Player_DB_Test, LoadTakesWholeRecordsUpTo150)
{
    // 300 bytes: two records and a partial third.
    Store(Db_File(2) + QByteArray(68, 'g'));
    EXPECT_EQ(Player_DB.Count, 2);
    EXPECT_EQ(Player_DB.Player[1].Key(), "P1,L");
    EXPECT_EQ(Player_DB.Player[2].Empty, 1);

    Store(Db_File(160));
    EXPECT_EQ(Player_DB.Count, 150);
    EXPECT_EQ(Player_DB.Player[149].Key(), "P149,L");

    // A shorter file leaves no stale players behind it.
    Player_DB.Cursor = 7;
    Store(Db_File(1));
    EXPECT_EQ(Player_DB.Count, 1);
    EXPECT_EQ(Player_DB.Cursor, 0);
    EXPECT_EQ(Player_DB.Player[1].Empty, 1);
    EXPECT_EQ(Player_DB.Player[1].First[0], '\0');

    // A missing file keeps what the table held.
    ASSERT_TRUE(QFile::remove(folder.data() + "PdB.data"));
    Player_DB.Load();
    EXPECT_EQ(Player_DB.Count, 1);
    EXPECT_EQ(Player_DB.Player[0].Key(), "P0,L");
}

TEST_F(Player_DB_Test, TextsWithoutNulKeepNineteenCharacters)
{
    QByteArray record(116, 'A');
    record.replace(0, 5, QByteArray::fromHex("0500000000"));
    Store(record);
    ASSERT_EQ(Player_DB.Count, 1);
    const CPlayer& p = Player_DB.Player[0];
    for (const char* text : {p.First, p.Last, p.Aka, p.Phone, p.Cell})
        EXPECT_EQ(Field_Text(text, Player_Text_Size), QString(19, 'A'));
    EXPECT_EQ(p.Key(), QString(19, 'A') + "," + QString(19, 'A'));

    // Written back: NUL-terminated texts and zero alignment; the reserved words as read.
    Player_DB.Save();
    QByteArray a19(19, 'A');
    EXPECT_EQ(File(), Db_Record(5, a19, a19, a19, a19, a19).replace(108, 8, QByteArray(8, 'A')));
}

TEST_F(Player_DB_Test, FindIsExactAndCaseSensitive)
{
    Store(Db_File(2) + Db_Record(2, "Ann", "Lee") + Db_Record(3, "Ann", "Lee,Jr"));
    Player_DB.Cursor = 1;
    EXPECT_EQ(Player_DB.Find("ann,lee"), 150);
    EXPECT_EQ(Player_DB.Find("Ann, Lee"), 150);
    EXPECT_EQ(Player_DB.Find("Ann,Le"), 150);
    EXPECT_EQ(Player_DB.Find("AnnLee"), 150);
    EXPECT_EQ(Player_DB.Cursor, 1); // a miss leaves the cursor
    EXPECT_EQ(Player_DB.Find("Ann,Lee"), 2);
    EXPECT_EQ(Player_DB.Cursor, 2);
    EXPECT_EQ(Player_DB.Find("Ann,Lee,Jr"), 3);
    EXPECT_EQ(Player_DB.Current().Key(), "Ann,Lee,Jr");
}

TEST_F(Player_DB_Test, DeleteMovesTheRestDown)
{
    Store(Db_Record(0, "A", "a") + Db_Record(1, "B", "b") + Db_Record(2, "C", "c"));
    Player_DB.Delete("A,a");
    EXPECT_EQ(Player_DB.Count, 2);
    EXPECT_EQ(Player_DB.Player[0].Key(), "B,b");
    EXPECT_EQ(Player_DB.Player[1].Key(), "C,c");
    EXPECT_EQ(Player_DB.Player[2].Empty, 1);
    // Numbers are kept through the move.
    EXPECT_EQ(File(), Db_Record(1, "B", "b") + Db_Record(2, "C", "c"));

    // An unknown key removes nothing but the file is still rewritten.
    folder.Write("Data/PdB.data", Db_Record(1, "B", "b") + Db_Record(2, "C", "c") + "junk");
    Player_DB.Delete("Nobody,Here");
    EXPECT_EQ(Player_DB.Count, 2);
    EXPECT_EQ(File(), Db_Record(1, "B", "b") + Db_Record(2, "C", "c"));
}

TEST_F(Player_DB_Test, SaveStopsAtTheFirstEmptyFirstName)
{
    Store(Db_File(4));
    Player_DB.Player[2].First[0] = '\0';
    Player_DB.Save();
    EXPECT_EQ(File(), Db_File(2));
}

TEST_F(Player_DB_Test, NextWrapsAfterTheFreeSlot)
{
    Player_DB.Load(); // no file: empty
    EXPECT_EQ(Player_DB.Next(), 0);
    EXPECT_EQ(Player_DB.Cursor, 0);
    EXPECT_EQ(Player_DB.Current().Empty, 1);

    Store(Db_File(3));
    EXPECT_EQ(Player_DB.Next(), 1);
    EXPECT_EQ(Player_DB.Next(), 2);
    EXPECT_EQ(Player_DB.Next(), 3);
    EXPECT_EQ(Player_DB.Current().Empty, 1); // the free slot after the last player
    EXPECT_EQ(Player_DB.Next(), 0);

    // A full table has no free slot to land on: the cursor never leaves it.
    Store(Db_File(150));
    Player_DB.Cursor = 149;
    EXPECT_EQ(Player_DB.Next(), 0);

    // Walking all players visits each once, in slot order.
    Store(Db_File(5));
    QStringList seen;
    for (Player_DB.Cursor = 0; Player_DB.Current().Empty == 0 && seen.size() <= 5; Player_DB.Next())
        seen << Player_DB.Current().Key();
    EXPECT_EQ(seen, QStringList({"P0,L", "P1,L", "P2,L", "P3,L", "P4,L"}));
}

TEST_F(Player_DB_Test, FailedSaveKeepsTheOldFileAndTheTable)
{
    // A file name so long that no temporary file can be made beside it.
    const QString name = QString(250, 'd');
    const QByteArray old = Db_File(3);
    folder.Write("Data/" + name, old);
    CPlayerDB db(name);
    db.Load();
    ASSERT_EQ(db.Count, 3);

    try {
        db.Add(Make_Player("Ann", "Lee"));
        FAIL() << "no error";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + folder.data() + name);
    }
    EXPECT_EQ(folder.Read("Data/" + name), old);
    EXPECT_EQ(db.Count, 3);
    EXPECT_EQ(db.Player[3].Empty, 1); // the slot stayed free
    EXPECT_EQ(db.Find("Ann,Lee"), 150);

    EXPECT_THROW(db.Delete("P0,L"), Velmora_Error);
    EXPECT_EQ(folder.Read("Data/" + name), old);
    EXPECT_EQ(db.Find("P0,L"), 0); // the table still holds him, as the file does

    // The data folder replaced by a plain file.
    ASSERT_TRUE(QDir(folder.data()).removeRecursively());
    folder.Write("Data", "not a folder");
    EXPECT_THROW(Player_DB.Save(), Velmora_Error);
    EXPECT_EQ(folder.Read("Data"), "not a folder");
}

TEST_F(Player_DB_Test, RecordsWithoutAFirstNameAreSkippedAndTheRestKept)
{
    // The old reader counted three players here and the next save stopped at
    // the first one, leaving a 0-byte file.
    Store(Db_Record(0, "", "Nobody") + Db_Record(1, "A", "a") + Db_Record(2, "B", "b"));
    ASSERT_EQ(Player_DB.Count, 2);
    EXPECT_EQ(Player_DB.Player[0].Key(), "A,a");
    EXPECT_EQ(Player_DB.Player[1].Key(), "B,b");
    EXPECT_EQ(Player_DB.Player[2].Empty, 1);
    ASSERT_TRUE(Player_DB.Add(Make_Player("C", "c")));
    EXPECT_EQ(File(), Db_Record(1, "A", "a") + Db_Record(2, "B", "b") + Db_Record(2, "C", "c"));

    // A file this program wrote reads back exactly.
    const QByteArray written = File();
    Player_DB.Load();
    Player_DB.Save();
    EXPECT_EQ(File(), written);
}

TEST_F(Player_DB_Test, AddRefusesAPlayerWithoutAFirstName)
{
    Store(Db_File(2));
    const QByteArray before = File();
    try {
        Player_DB.Add(Make_Player("", "Lee"));
        FAIL() << "a player without a first name was added";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Cannot add a player without a first name.");
    }
    EXPECT_EQ(Player_DB.Count, 2);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(Player_DB.Find(",Lee"), 150);
    // A first name alone is enough.
    EXPECT_TRUE(Player_DB.Add(Make_Player("Cher", "")));
    EXPECT_EQ(Player_DB.Count, 3);
}

TEST_F(Player_DB_Test, ADatabaseThatCannotBeReadIsReportedAndNeverWrittenOver)
{
    const QByteArray stored = Db_File(3);
    const QString path = folder.Write("Data/PdB.data", stored);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    try {
        Player_DB.Load();
        FAIL() << "an unreadable database read as missing";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to read " + path);
    }
    EXPECT_THROW(Player_DB.Add(Make_Player("Ann", "Lee")), Velmora_Error);
    try {
        Player_DB.Save();
        FAIL() << "an unread database was replaced";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + path);
    }
    EXPECT_THROW(Player_DB.Delete("P0,L"), Velmora_Error);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(File(), stored);
    Player_DB.Load();
    EXPECT_EQ(Player_DB.Count, 3);
}

} // namespace
