// Players by CSV: the reader (quotes, commas and line breaks in quotes, CRLF,
// a byte-order mark, Latin-1, an unclosed quote, stray text), the preview's
// verdict on each row with its reason, the one write of an import, and
// export then import giving the same players.
#include "Record_images.h"
#include "Test_folder.h"

#include "model/Player.h"
#include "model/Player_csv.h"

#include <gtest/gtest.h>

namespace {

QStringList Fields(const Import_Row& row)
{
    return QStringList(std::begin(row.fields), std::end(row.fields));
}

QStringList Verdicts(const Import_Preview& p)
{
    QStringList out;
    for (const Import_Row& r : p.rows) {
        const char* s = r.status == Import_Status::Add ? "add" : r.status == Import_Status::Duplicate ? "dup" : "no";
        out << QStringLiteral("%1 %2 %3").arg(r.line).arg(QLatin1String(s), r.Key());
    }
    return out;
}

class Player_Csv : public ::testing::Test {
protected:
    Test_Folder folder;
    void Database(const QByteArray& records)
    {
        folder.Write("Data/PdB.data", records);
        Construct_Player_DB();
        Player_DB.Load();
    }
};

} // namespace

TEST(Csv_Reader, QuotedFieldsCommasQuotesAndLineBreaksAndCrlf)
{
    const QVector<Csv_Record> r =
        Parse_Csv(QStringLiteral("a,\"b,c\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",,x\r\n  sp ,\"\"\nlast"));
    ASSERT_EQ(r.size(), 4);
    EXPECT_EQ(r[0].fields, (QStringList{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(r[1].fields, (QStringList{"two\r\nlines", "", "x"}));
    EXPECT_EQ(r[1].line, 2);
    EXPECT_EQ(r[2].fields, (QStringList{"  sp ", ""}));
    EXPECT_EQ(r[2].line, 4);
    EXPECT_EQ(r[3].fields, QStringList{"last"});
    for (const Csv_Record& rec : r)
        EXPECT_FALSE(rec.unclosed_quote || rec.stray_text);

    const QVector<Csv_Record> bad = Parse_Csv(QStringLiteral("\"ab\"cd,e\nf,\"open\ng,h\n"));
    ASSERT_EQ(bad.size(), 2);
    EXPECT_TRUE(bad[0].stray_text);
    EXPECT_EQ(bad[0].fields, (QStringList{"abcd", "e"}));
    EXPECT_TRUE(bad[1].unclosed_quote);
    EXPECT_EQ(bad[1].fields, (QStringList{"f", "open\ng,h\n"}));

    EXPECT_EQ(Decode_Csv("\xEF\xBB\xBF" "first\n\xC3\xA9"), QString::fromUtf8("first\n\xC3\xA9"));
    EXPECT_EQ(Decode_Csv("Ren\xE9"), QString::fromLatin1("Ren\xE9")); // not UTF-8: Latin-1
    EXPECT_EQ(Csv_Field("plain"), "plain");
    EXPECT_EQ(Csv_Field("a,b"), "\"a,b\"");
    EXPECT_EQ(Csv_Field("say \"x\""), "\"say \"\"x\"\"\"");
    EXPECT_EQ(Csv_Field(" lead"), "\" lead\"");
}

TEST_F(Player_Csv, ThePreviewSaysWhatHappensToEachRowAndWritesNothing)
{
    Database(Db_Record(0, "Ann", "Lee", "", "555"));
    const QByteArray before = folder.Read("Data/PdB.data");
    const QByteArray csv = "\xEF\xBB\xBF" "Phone, LAST ,First,Notes,cell\r\n"
                           "111,Ray,Bob,likes tea,222\r\n"
                           "\r\n"
                           "555,Lee,Ann\r\n"
                           ",Poe\r\n"
                           "9,Ray,Bob\r\n"
                           "1,Longlastnameishere,Maximilian\r\n"
                           "12345678901234567890,Orr,Dan\r\n"
                           ",\xE2\x82\xAC" "uro,J\xC5\x91zsef\r\n"
                           "\"7, 8\",\"Ng\",\"Eve\"\r\n"
                           "\"x\"y,Fox,Lou\r\n"
                           "3,Ho,Fay,,4,extra\r\n"
                           "\"5,Kim,Jo\r\n";
    const Import_Preview p = Preview_Import(csv, Player_DB);
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    EXPECT_EQ(Verdicts(p), (QStringList{"2 add Bob,Ray", "4 dup Ann,Lee", "5 no ,Poe", "6 dup Bob,Ray",
                                        "7 no Maximilian,Longlastnameishere", "8 no Dan,Orr",
                                        QString::fromUtf8("9 no J\xC5\x91zsef,\xE2\x82\xAC" "uro"), "10 add Eve,Ng",
                                        "11 no Lou,Fox", "12 no Fay,Ho", "13 no ,"}));
    EXPECT_EQ(Fields(p.rows[0]), (QStringList{"Bob", "Ray", "", "111", "222"}));
    EXPECT_EQ(Fields(p.rows[7]), (QStringList{"Eve", "Ng", "", "7, 8", ""}));
    EXPECT_TRUE(p.rows[1].reason.contains("already in the database"));
    EXPECT_TRUE(p.rows[2].reason.contains("first name is empty"));
    EXPECT_TRUE(p.rows[3].reason.contains("line 2"));
    EXPECT_TRUE(p.rows[4].reason.contains("19 characters"));
    EXPECT_TRUE(p.rows[5].reason.startsWith("Phone is longer than 19")) << p.rows[5].reason.toStdString();
    EXPECT_TRUE(p.rows[6].reason.contains(QString::fromUtf8("\xC5\x91"))) << p.rows[6].reason.toStdString();
    EXPECT_TRUE(p.rows[6].reason.contains(QString::fromUtf8("\xE2\x82\xAC")));
    EXPECT_TRUE(p.rows[8].reason.contains("closing quote"));
    EXPECT_TRUE(p.rows[9].reason.contains("more fields"));
    EXPECT_TRUE(p.rows[10].reason.contains("not closed"));
    EXPECT_EQ(p.Count(Import_Status::Add), 2);
    EXPECT_EQ(p.left_out, QStringList{"Notes"});
    EXPECT_EQ(folder.Read("Data/PdB.data"), before);

    // A short row is fine: the missing columns are empty.
    const Import_Preview shortrow = Preview_Import("first,last,aka,phone,cell\nAl,Bo\n", Player_DB);
    EXPECT_EQ(Verdicts(shortrow), QStringList{"2 add Al,Bo"});
    // Without a header naming "first" the file is not read at all.
    EXPECT_FALSE(Preview_Import("Ann,Lee,x\nBob,Ray,y\n", Player_DB).error.isEmpty());
    EXPECT_FALSE(Preview_Import("", Player_DB).error.isEmpty());
}

TEST_F(Player_Csv, TheDatabaseLimitRefusesTheRowsBeyondIt)
{
    QByteArray records;
    for (int i = 0; i < 148; ++i)
        records += Db_Record(i, "P" + QByteArray::number(i), "X");
    Database(records);
    const Import_Preview p = Preview_Import("first,last\nA,1\nB,2\nC,3\nP3,X\nD,4\n", Player_DB);
    EXPECT_EQ(Verdicts(p), (QStringList{"2 add A,1", "3 add B,2", "4 no C,3", "5 dup P3,X", "6 no D,4"}));
    EXPECT_TRUE(p.rows[2].reason.contains("150"));
    EXPECT_EQ(Import_Players(Player_DB, p), 2);
    EXPECT_EQ(Player_DB.Count, 150);
    EXPECT_EQ(folder.Read("Data/PdB.data").size(), 150 * 116);
}

TEST_F(Player_Csv, ImportWritesTheAddedPlayersAfterTheStoredOnesInOneFile)
{
    Database(Db_Record(0, "Ann", "Lee"));
    const Import_Preview p = Preview_Import("cell,first,last,aka\n9,Bob,Ray,Bobby\n1,Ann,Lee,\n,Ren\xE9,Roe,\n", Player_DB);
    // Someone adds Bob by hand before the import is confirmed: he is not added twice.
    CPlayer bob;
    Set_Field(bob.First, Player_Text_Size, "Bob");
    Set_Field(bob.Last, Player_Text_Size, "Ray");
    ASSERT_TRUE(Player_DB.Add(bob));
    EXPECT_EQ(Import_Players(Player_DB, p), 1);
    const QByteArray file = folder.Read("Data/PdB.data");
    ASSERT_EQ(file.size(), 3 * 116);
    EXPECT_EQ(file.mid(2 * 116), Db_Record(2, "Ren\xE9", "Roe"));
    EXPECT_EQ(Player_DB.Count, 3);
}

TEST_F(Player_Csv, ExportThenImportIntoAnEmptyDatabaseGivesTheSamePlayers)
{
    const QByteArray records = Db_Record(0, "Ann", "Lee", "The \"Ace\"", "555-1234", "+1 (555) 99") +
                               Db_Record(1, "Jos\xE9", "M\xFCller", "a,b", " lead", "trail ") +
                               Db_Record(2, "Bob", "Ray") + Db_Record(3, "O'Neil", "Sm\xEEth", "", "", "7");
    Database(records);
    const QByteArray csv = Export_Players(Player_DB);
    EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF" "first,last,aka,phone,cell\r\nAnn,Lee,\"The \"\"Ace\"\"\",555-1234,"));
    EXPECT_TRUE(csv.contains("\r\nJos\xC3\xA9,M\xC3\xBCller,\"a,b\",\" lead\",\"trail \"\r\n"));

    folder.Write("Data/PdB.data", QByteArray());
    Construct_Player_DB();
    Player_DB.Load();
    const Import_Preview p = Preview_Import(csv, Player_DB);
    EXPECT_EQ(p.Count(Import_Status::Add), 4);
    EXPECT_EQ(Import_Players(Player_DB, p), 4);
    EXPECT_EQ(folder.Read("Data/PdB.data"), records);
}
