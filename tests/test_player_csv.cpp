// Players by CSV: the reader (quotes, commas and line breaks in quotes, CRLF,
// a byte-order mark, Latin-1, an unclosed quote, stray text), the preview's
// verdict on each row with its reason, the one write of an import, and
// export then import giving the same players.
#include "Record_images.h"
#include "Test_folder.h"

#include "model/Player.h"
#include "model/Player_csv.h"

#include "platform/Velmora_error.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

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
                                        "7 add Maximilian,Longlastnameishere", "8 no Dan,Orr",
                                        QString::fromUtf8("9 no J\xC5\x91zsef,\xE2\x82\xAC" "uro"), "10 add Eve,Ng",
                                        "11 no Lou,Fox", "12 no Fay,Ho", "13 no ,"}));
    EXPECT_EQ(Fields(p.rows[0]), (QStringList{"Bob", "Ray", "", "111", "222"}));
    EXPECT_EQ(Fields(p.rows[7]), (QStringList{"Eve", "Ng", "", "7, 8", ""}));
    EXPECT_TRUE(p.rows[1].reason.contains("already in the database"));
    EXPECT_TRUE(p.rows[2].reason.contains("first name is empty"));
    EXPECT_TRUE(p.rows[3].reason.contains("line 2"));
    // An old long key comes in (an exported database gives it back), told of.
    EXPECT_TRUE(p.rows[4].note.contains("cannot be entered in a tournament"));
    EXPECT_TRUE(p.rows[5].reason.startsWith("Phone is longer than 19")) << p.rows[5].reason.toStdString();
    EXPECT_TRUE(p.rows[6].reason.contains(QString::fromUtf8("\xC5\x91"))) << p.rows[6].reason.toStdString();
    EXPECT_TRUE(p.rows[6].reason.contains(QString::fromUtf8("\xE2\x82\xAC")));
    EXPECT_TRUE(p.rows[8].reason.contains("closing quote"));
    EXPECT_TRUE(p.rows[9].reason.contains("more fields"));
    EXPECT_TRUE(p.rows[10].reason.contains("not closed"));
    EXPECT_EQ(p.Count(Import_Status::Add), 3);
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

// Cells a spreadsheet would run as formulas are written behind a ' that the
// import takes off again; a ' of the text itself is kept.
TEST(Csv_Reader, FormulaCellsAreWrittenBehindAQuoteMark)
{
    const struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"=1+2", "'=1+2"}, {"+44 20 7946", "'+44 20 7946"}, {"-5", "'-5"}, {"@sum", "'@sum"},
        {"\tx", "'\tx"},   {"\rx", "\"'\rx\""},             {"'Tis", "''Tis"}, {"O'Neil", "O'Neil"},
        {"a=b", "a=b"},    {"=a,b", "\"'=a,b\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Csv_Field(QString::fromLatin1(c.text)), QString::fromLatin1(c.written)) << c.text;
        EXPECT_EQ(Csv_Unprotected(Parse_Csv(Csv_Field(QString::fromLatin1(c.text)))[0].fields[0]), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(Csv_Unprotected("'Tis"), "'Tis"); // typed in a spreadsheet: kept
}

// Each line is read as UTF-8 when it is, and as Windows-1252 otherwise; a file
// that mixes the two is named in the preview.
TEST(Csv_Reader, EncodingsAreTakenLineByLine)
{
    const Csv_Text t = Decode_Csv_Text("first\r\nJ\xC3\xB6rg\nJ\xF6rg\r\x80\x92x\n");
    EXPECT_EQ(t.text, QString::fromUtf8("first\r\nJ\xC3\xB6rg\nJ\xC3\xB6rg\r\xE2\x82\xAC\xE2\x80\x99x\n"));
    EXPECT_EQ(t.legacy_lines, (QVector<int>{3, 4}));
    EXPECT_TRUE(t.utf8);

    CPlayerDB db;
    const Import_Preview p = Preview_Import("first,last\nJ\xC3\xB6rg,A\nJ\xF6rg,B\n\x80,C\n", db);
    ASSERT_EQ(p.warnings.size(), 1);
    EXPECT_TRUE(p.warnings[0].startsWith("The file mixes encodings: line 3, 4 ")) << p.warnings[0].toStdString();
    EXPECT_EQ(p.rows[1].fields[0], QString::fromUtf8("J\xC3\xB6rg"));
    EXPECT_EQ(p.rows[2].status, Import_Status::Refused); // the euro sign: named, not stored
    EXPECT_TRUE(p.rows[2].reason.contains(QString::fromUtf8("\xE2\x82\xAC")));
    EXPECT_TRUE(Preview_Import("first,last\nJ\xF6rg,B\n", db).warnings.isEmpty());
}

TEST(Csv_Reader, AColumnNamedTwiceIsNamedAndTheFirstOneRead)
{
    CPlayerDB db;
    const Import_Preview p = Preview_Import("first,last,First\nAnn,Lee,Bob\n", db);
    ASSERT_EQ(p.warnings.size(), 1);
    EXPECT_EQ(p.warnings[0], "The column \"first\" is named twice (columns 1 and 3): the first one is read.");
    EXPECT_EQ(p.rows.value(0).fields[0], "Ann");
}

// A file far larger than any list of players is refused at once, whether by
// its size or by its rows.
TEST_F(Player_Csv, AHugeFileIsRefusedQuickly)
{
    const QString big = folder.Write("big.csv", "first,last\n");
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(50LL * 1024 * 1024));
    }
    QElapsedTimer clock;
    clock.start();
    try {
        Read_Csv_File(big);
        ADD_FAILURE() << "a 50 MB file was read";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "big.csv is 50.0 MB: a list of players takes a few kB, and files over 4 MB are not read.");
    }
    const QByteArray rows = "first,last\n" + QByteArray("a,b\n").repeated(Max_Csv_Rows);
    const Import_Preview p = Preview_Import(rows, Player_DB);
    EXPECT_TRUE(p.error.startsWith("The file has more than 5000 rows")) << p.error.toStdString();
    EXPECT_TRUE(p.rows.isEmpty());
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(Read_Csv_File(folder.Write("small.csv", "first\nAnn\n")), "first\nAnn\n");
}

// Files just under the size bound, in the shapes that cost the most (a row
// of commas, one quoted field of line breaks, a line of one field, a line of
// Windows-1252 after each UTF-8 one), are judged within a second, and a row
// keeps no more fields than a row can use.
TEST_F(Player_Csv, TheWorstFilesUnderTheBoundAreJudgedWithinASecond)
{
    const qsizetype n = Max_Csv_Bytes - 64;
    const QByteArray shapes[] = {
        "first,last\nAnn,Lee" + QByteArray(n, ',') + "x\n",
        "first,last\n\"" + QByteArray(n, '\n') + "\"\n",
        "first,last\n" + QByteArray(n, 'a') + "\n",
        "first,last\n" + QByteArray("\xc3\xa9,\xe9\n").repeated(n / 6),
    };
    for (const QByteArray& bytes : shapes) {
        QElapsedTimer clock;
        clock.start();
        const Import_Preview p = Preview_Import(bytes, Player_DB);
        EXPECT_LT(clock.elapsed(), 1000) << bytes.left(16).toStdString();
        EXPECT_TRUE(!p.error.isEmpty() || p.Count(Import_Status::Add) <= 1);
    }
    const QVector<Csv_Record> row = Parse_Csv(QStringLiteral("a") + QString(1000000, QLatin1Char(',')) + 'b');
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0].fields.size(), Max_Csv_Fields);
    EXPECT_TRUE(row[0].fields_left_out);
    EXPECT_EQ(Preview_Import(QByteArray("first,last\nAnn,Lee") + QByteArray(300, ',') + "x\n", Player_DB).rows[0].reason,
              "the row has more fields than the header names");
}

// A name that differs from another only in case or blanks is skipped by
// default, with the reason; chosen, it is added.
TEST_F(Player_Csv, NearDuplicatesAreSkippedUnlessChosen)
{
    Database(Db_Record(0, "Ann", "Lee"));
    Import_Preview p = Preview_Import("first,last\nann,lee\nBo,Ray\nbo , ray\n", Player_DB);
    EXPECT_EQ(Verdicts(p), (QStringList{"2 dup ann,lee", "3 add Bo,Ray", "4 dup bo , ray"}));
    EXPECT_TRUE(p.rows[0].near_duplicate);
    EXPECT_EQ(p.rows[0].reason, "ann,lee is already in the database as Ann,Lee (the names differ only in case or blanks)");
    EXPECT_TRUE(p.rows[2].reason.contains("on line 3 as Bo,Ray"));
    p.rows[0].status = Import_Status::Add; // the operator ticks it
    EXPECT_EQ(Import_Players(Player_DB, p), 2);
    EXPECT_EQ(Player_DB.Count, 3);
}

// Export then import into an empty database gives back every player but
// those the export names, field for field and in order.
RC_GTEST_PROP(Player_Csv_Round_Trip, ExportThenImportGivesBackEveryPlayer, ())
{
    Test_Folder folder;
    const auto chars = rc::gen::element<char>('A', 'n', 'e', ' ', ',', '"', '\'', '=', '+', '-', '@', '\t', '\r', '\n',
                                              '\x01', '\x7f', '\x80', '\x92', '\xe9', '\xff', '0');
    const auto text = [&](int least) {
        return rc::gen::resize(Player_Text_Size - 1,
                               rc::gen::suchThat(rc::gen::container<std::string>(chars),
                                                 [least](const std::string& s) { return int(s.size()) >= least; }));
    };
    const int count = *rc::gen::inRange(0, 20);
    Construct_Player_DB();
    for (int i = 0; i < count; ++i) {
        CPlayer& p = Player_DB.Player[i];
        p.Number = static_cast<uint32_t>(i);
        p.Empty = 0;
        char* const fields[Csv_Columns] = {p.First, p.Last, p.Aka, p.Phone, p.Cell};
        for (int c = 0; c < Csv_Columns; ++c)
            Set_Field(fields[c], Player_Text_Size, QString::fromLatin1(*text(c == 0 ? 1 : 0)));
    }
    Player_DB.Count = count;
    QVector<bool> named(count, false);
    for (const Export_Problem& problem : Export_Problems(Player_DB))
        named[problem.slot] = true;
    const auto rows = [](const CPlayerDB& db, const QVector<bool>& left_out) {
        QStringList out;
        for (int i = 0; i < db.Count; ++i)
            if (!left_out.value(i))
                for (const char* f : {db.Player[i].First, db.Player[i].Last, db.Player[i].Aka, db.Player[i].Phone,
                                      db.Player[i].Cell})
                    out << Field_Text(f, Player_Text_Size);
        return out;
    };
    const QStringList want = rows(Player_DB, named);
    const QByteArray csv = Export_Players(Player_DB);

    folder.Write("Data/PdB.data", QByteArray());
    Construct_Player_DB();
    Player_DB.Load();
    const Import_Preview preview = Preview_Import(csv, Player_DB);
    RC_ASSERT(preview.error.isEmpty());
    Import_Players(Player_DB, preview);
    const QStringList got = rows(Player_DB, {});
    RC_ASSERT(got == want);
}
