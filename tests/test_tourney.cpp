// The tournament record: construction, the tournament and entry files, the
// entry operations and the level countdown.
#include "model/Tourney.h"
#include "platform/Program_folder.h"
#include "platform/Velmora_error.h"
#include "support/Record_images.h"
#include "support/Tourney_fixture.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>

namespace {

TEST_F(Tourney_Test, ConstructionValues)
{
    EXPECT_EQ(t->Name, "Default");
    EXPECT_EQ(t->Trn_Path, folder.data() + "Default.trn");
    EXPECT_EQ(t->Plr_Path, folder.data() + "Default.plr");
    EXPECT_EQ(t->Total, 0);
    EXPECT_EQ(t->Out, 1);
    EXPECT_EQ(t->Time, 20);
    EXPECT_TRUE(t->Sound.isEmpty());
    EXPECT_TRUE(t->Warning.isEmpty());
    for (int i = 0; i < Level_Count; ++i) {
        EXPECT_EQ(t->Blinds[i].SB, 5 * (i + 1));
        EXPECT_EQ(t->Blinds[i].BB, 10 * (i + 1));
    }
    for (int k = 0; k < Chip_Count; ++k) {
        EXPECT_EQ(t->Chips[k].Value, 5 * (k + 1));
        EXPECT_EQ(t->Chips[k].Quanity, 10);
        EXPECT_TRUE(t->Chips[k].Path.isEmpty());
    }
    for (const CTourneyPlayer& e : t->Players) {
        EXPECT_EQ(e.Name[0], '\0');
        EXPECT_EQ(e.Table | e.Seat | e.Place, 0);
    }
}

TEST_F(Tourney_Test, FilePathsReplaceOrAddTheExtension)
{
    const QString d = folder.data();
    EXPECT_EQ(Tourney_File_Path("Friday", ".trn"), d + "Friday.trn");
    EXPECT_EQ(Tourney_File_Path("Friday.trn", ".plr"), d + "Friday.plr");
    EXPECT_EQ(Tourney_File_Path("Club.2024.txt", ".trn"), d + "Club.2024.trn");
    EXPECT_EQ(Tourney_File_Path("", ".trn"), d + ".trn");
    // Only the file-name part counts, so a tournament always lives in Data/.
    EXPECT_EQ(Tourney_File_Path("../my.dir/Friday", ".plr"), d + "Friday.plr");
}

TEST_F(Tourney_Test, FridayAndFridayTrnUseTheSameFiles)
{
    folder.Write("Data/Friday.trn", "[Setup]\nTime=33\n");
    folder.Write("Data/Friday.plr", Entry_Record("Ann,Lee") + Entry_Record("Bo,Ek"));

    for (const QString& name : {QString("Friday"), QString("Friday.trn")}) {
        CTourney r;
        r.Load_File(name);
        EXPECT_EQ(r.Name, name);
        EXPECT_EQ(r.Trn_Path, folder.data() + "Friday.trn");
        EXPECT_EQ(r.Plr_Path, folder.data() + "Friday.plr");
        EXPECT_EQ(r.Time, 33);
        EXPECT_EQ(r.Total, 2);
        EXPECT_EQ(CTourney::Entry_Name(r.Players[1]), "Bo,Ek");
    }
}

TEST_F(Tourney_Test, MissingFilesGiveTheReadingDefaults)
{
    t->Load_File("Nothing.trn");
    const int sb[Level_Count] = {5,   10,  20,  25,  40,   50,   75,   100,  150,  200,
                                 300, 400, 500, 750, 1000, 2000, 3000, 4000, 5000, 7500};
    EXPECT_EQ(t->Time, 20);
    for (int i = 0; i < Level_Count; ++i) {
        EXPECT_EQ(t->Blinds[i].SB, sb[i]) << i;
        EXPECT_EQ(t->Blinds[i].BB, 2 * sb[i]) << i;
    }
    EXPECT_EQ(t->Total, 0);
    EXPECT_EQ(t->Out, 0);
    const int value[Chip_Count] = {5, 10, 25, 50, 100};
    const char* picture[Chip_Count] = {"white", "red", "blue", "green", "black"};
    for (int k = 0; k < Chip_Count; ++k) {
        EXPECT_FALSE(t->Chips[k].Active);
        EXPECT_EQ(t->Chips[k].Value, value[k]);
        EXPECT_EQ(t->Chips[k].Quanity, 0);
        // The program folder ends in '/', and the stored default adds another.
        EXPECT_EQ(t->Chips[k].Path, folder.path() + "/" + picture[k] + "_chipsm.jpg");
    }
    EXPECT_EQ(t->Prize_Total, 0.0f);
    for (float p : t->Prize)
        EXPECT_EQ(p, 0.0f);
    EXPECT_TRUE(t->Sound.isEmpty());
    EXPECT_TRUE(t->Warning.isEmpty());
}

TEST_F(Tourney_Test, InvalidValuesFallBackToTheirOwnKeysDefault)
{
    QFile::copy(Fixture("garbage.trn"), folder.data() + "Bad.trn");
    t->Load_File("Bad");
    EXPECT_EQ(t->Time, 30);            // 0x1E
    EXPECT_EQ(t->Blinds[3].SB, 25);    // abc
    EXPECT_EQ(t->Blinds[5].BB, 100);   // empty
    EXPECT_EQ(t->Blinds[6].BB, 150);   // 0x alone is no number
    EXPECT_EQ(t->Blinds[7].SB, 100);   // 12.5 is no integer
    EXPECT_EQ(t->Blinds[3].BB, 50);    // untouched neighbour
    EXPECT_EQ(t->Sound, "C:\\cues\\bell.wav");
    EXPECT_EQ(t->Out, 0); // the stored 3, but nobody is entered
    EXPECT_TRUE(t->Chips[0].Active);   // 7
    EXPECT_FALSE(t->Chips[1].Active);  // abc
    EXPECT_EQ(t->Chips[0].Value, 5);   // 12x
    EXPECT_EQ(t->Chips[1].Value, -40);
    EXPECT_EQ(t->Chips[2].Quanity, 16); // 0x10
    EXPECT_EQ(t->Prize_Total, 0.0f);
    EXPECT_EQ(t->Prize[0], 50.0f);
    EXPECT_EQ(t->Prize[1], 0.0f);
    EXPECT_EQ(t->Prize[3], 0.0f);
}

TEST_F(Tourney_Test, TotalComesFromTheEntryFileAndOutFromTheEntriesStillIn)
{
    QByteArray five, ten;
    for (int i = 0; i < 10; ++i)
        (i < 5 ? five : ten).append(Entry_Record(QByteArray("P,") + char('a' + i)));
    ten.prepend(five);

    folder.Write("Data/NoPlayers.trn", "[Setup]\nTime=15\n");
    folder.Write("Data/NoPlayers.plr", five);
    t->Load_File("NoPlayers");
    EXPECT_EQ(t->Total, 5);
    EXPECT_EQ(t->Out, 5); // no Players section: all five are still in

    CTourney r;
    folder.Write("Data/Stale.trn", "[Players]\nTotal=12\nOut=7\n");
    folder.Write("Data/Stale.plr", ten);
    r.Load_File("Stale");
    EXPECT_EQ(r.Total, 10);
    EXPECT_EQ(r.Out, 10);

    folder.Write("Data/OnlyTotal.trn", "[Players]\nTotal=4\n");
    r.Load_File("OnlyTotal");
    EXPECT_EQ(r.Total, 0);
    EXPECT_EQ(r.Out, 0);
}

TEST_F(Tourney_Test, FreshSaveWritesSectionsAndKeysInOrder)
{
    t->Prize_Total = 12.5f;
    t->Prize[0] = 300;
    t->Prize[1] = 0.1f;
    t->Sound = "/snd/bell.m3u";
    t->Chips[2].Path = "/pics/blue.jpg";
    t->Chips[4].Active = true;
    t->Save_File("Fresh.trn");

    // The INI writer puts two blank lines before each section after the first.
    QStringList expected = {"[Setup]", "Time=20"};
    for (int k = 0; k < Level_Count; ++k)
        expected << QString("SB%1=%2").arg(k).arg(5 * (k + 1)) << QString("BB%1=%2").arg(k).arg(10 * (k + 1));
    expected << "Sound=/snd/bell.m3u" << "Warning=" << "" << "" << "[Players]" << "Total=0" << "Out=1" << ""
             << "" << "[Chips]" << "First=0" << "Second=0" << "Third=0" << "Fourth=0" << "Fifth=1"
             << "First Value=5" << "Second Value=10" << "Third Value=15" << "Fourth Value=20" << "Fifth Value=25"
             << "First Quanity=10" << "Second Quanity=10" << "Third Quanity=10" << "Fourth Quanity=10"
             << "Fifth Quanity=10" << "First Path=" << "Second Path=" << "Third Path=/pics/blue.jpg"
             << "Fourth Path=" << "Fifth Path=" << "" << "" << "[Prizes]" << "Total=12.5" << "Prize 0=300"
             << "Prize 1=0.100000001490116";
    for (int i = 2; i < Prize_Count; ++i)
        expected << QString("Prize %1=0").arg(i);

    EXPECT_EQ(folder.Read("Data/Fresh.trn").toStdString(), (expected.join(QChar(10)) + QChar(10)).toStdString());
    // The entry file is written too, empty for a tournament without players.
    EXPECT_TRUE(QFile::exists(folder.data() + "Fresh.plr"));
    EXPECT_EQ(folder.Read("Data/Fresh.plr").size(), 0);
    EXPECT_EQ(t->Name, "Default"); // saving under a name does not rename the record
}

TEST_F(Tourney_Test, SaveThenLoadGivesBackEveryField)
{
    folder.Write("Data/Round.trn", "; kept comment\n[Setup]\nOwner=Sam\nTime=9\n[Extra]\nx=1\n");
    t->Load_File("Round");
    EXPECT_EQ(t->Time, 9);
    t->Time = 7;
    for (int i = 0; i < Level_Count; ++i)
        t->Blinds[i] = {3 * i + 2, i};
    t->Sound = "/m/list.m3u";
    t->Warning = "/m/warn.wav";
    for (int k = 0; k < Chip_Count; ++k)
        t->Chips[k] = {k % 2 == 1, 100 * k + 1, 7 * k, QString("/c/chip \u00e9%1.jpg").arg(k)};
    t->Prize_Total = 1234.5f;
    for (int i = 0; i < Prize_Count; ++i)
        t->Prize[i] = 50.0f / (i + 1);
    t->Save_File("Round");
    t->Enter_Player("Ann,Lee");
    t->Set_Out("Ann,Lee");
    t->Save_File("Round");

    CTourney r;
    r.Load_File("Round");
    EXPECT_EQ(r.Time, 7);
    for (int i = 0; i < Level_Count; ++i) {
        EXPECT_EQ(r.Blinds[i].BB, 3 * i + 2);
        EXPECT_EQ(r.Blinds[i].SB, i);
    }
    EXPECT_EQ(r.Sound, t->Sound);
    EXPECT_EQ(r.Warning, t->Warning);
    for (int k = 0; k < Chip_Count; ++k) {
        EXPECT_EQ(r.Chips[k].Active, t->Chips[k].Active);
        EXPECT_EQ(r.Chips[k].Value, t->Chips[k].Value);
        EXPECT_EQ(r.Chips[k].Quanity, t->Chips[k].Quanity);
        EXPECT_EQ(r.Chips[k].Path, t->Chips[k].Path);
    }
    EXPECT_EQ(r.Prize_Total, 1234.5f);
    for (int i = 0; i < Prize_Count; ++i)
        EXPECT_EQ(r.Prize[i], t->Prize[i]) << i;
    EXPECT_EQ(r.Total, 1);
    EXPECT_EQ(r.Out, 0);
    EXPECT_EQ(r.Players[0].Place, 1);

    // Keys the program does not know stay; a known key is replaced in place.
    QString text = QString::fromLatin1(folder.Read("Data/Round.trn"));
    EXPECT_TRUE(text.startsWith("; kept comment\n")) << qPrintable(text);
    EXPECT_TRUE(text.contains("[Setup]\nOwner=Sam\nTime=7\nSB0=0\nBB0=2\n")) << qPrintable(text);
    EXPECT_TRUE(text.contains("[Extra]\nx=1\n"));
}

TEST_F(Tourney_Test, EntryRecordLayout)
{
    Enter_All({"Ann,Lee", "Bo,Ek"});
    t->Players[0].Table = 1;
    t->Players[0].Seat = 2;
    t->Players[1] = {};
    std::memcpy(t->Players[1].Name, "Bo,Ek\0garbage", 14); // bytes after the NUL are not written
    t->Players[1].Place = -3;
    t->Write_Entries();

    QByteArray expected = QByteArray::fromHex("416E6E2C4C656500"
                                              "000000000000000000000000"
                                              "01000000"
                                              "02000000"
                                              "00000000"
                                              "426F2C456B000000"
                                              "000000000000000000000000"
                                              "00000000"
                                              "00000000"
                                              "FDFFFFFF");
    EXPECT_EQ(Entry_File(), expected);
}

TEST_F(Tourney_Test, EntryListEndsAtTheFirstEmptyName)
{
    Enter_All({"A,a", "B,b", "C,c", "D,d"});
    t->Players[2].Name[0] = '\0';
    t->Write_Entries();
    EXPECT_EQ(Entry_File(), Entry_Record("A,a") + Entry_Record("B,b"));
}

TEST_F(Tourney_Test, ReadingShortLongAndUnterminatedEntryFiles)
{
    // 70 bytes: two whole records and a partial third.
    folder.Write("Data/Cup.plr", Entry_Record("A,a", 3, 4, 0) + Entry_Record("B,b", 0, 1, 2) + "123456");
    t->Load_File("Cup");
    EXPECT_EQ(t->Total, 2);
    EXPECT_EQ(t->Players[0].Table, 3);
    EXPECT_EQ(t->Players[1].Place, 2);
    EXPECT_EQ(t->Players[2].Name[0], '\0');

    QByteArray many;
    for (int i = 0; i < 160; ++i)
        many += Entry_Record(QByteArray("P,") + QByteArray::number(i));
    folder.Write("Data/Cup.plr", many);
    t->Load_File("Cup");
    EXPECT_EQ(t->Total, 150);
    EXPECT_EQ(CTourney::Entry_Name(t->Players[149]), "P,149");

    // A name that fills its field without a NUL keeps 19 characters.
    folder.Write("Data/Cup.plr", QByteArray(20, 'x') + QByteArray(12, '\0'));
    t->Load_File("Cup");
    EXPECT_EQ(CTourney::Entry_Name(t->Players[0]), QString(19, 'x'));
    EXPECT_EQ(t->Find_Entry(QString(19, 'x')), 0);
}

// Late entries and withdrawals store the places they move at once: a reload
// before the next save (a cancelled wizard, a tournament file that could not
// be written) hands out no place twice.
TEST_F(Tourney_Test, EntryChangesStoreTheRenumberedPlacesAtOnce)
{
    Enter_All({"A,a", "B,b", "C,c", "D,d"});
    t->Set_Out("A,a"); // 4
    t->Set_Out("B,b"); // 3
    t->Enter_Player("E,e");
    const auto reloaded = [this] {
        CTourney r;
        r.Load_File("Cup");
        QList<int32_t> places;
        for (int i = 0; i < r.Total; ++i)
            places << r.Players[i].Place;
        return std::pair{places, r.Out};
    };
    EXPECT_EQ(reloaded(), std::pair(QList<int32_t>{5, 4, 0, 0, 0}, 3));
    {
        CTourney r;
        r.Load_File("Cup");
        r.Set_Out("C,c");
        EXPECT_EQ(r.Players[2].Place, 3); // not a second 4
    }
    t->Load_File("Cup");
    t->Withdraw_Player("D,d"); // still in
    EXPECT_EQ(reloaded(), std::pair(QList<int32_t>{4, 3, 2, 0}, 1));
    t->Withdraw_Player("A,a"); // out, place 4
    EXPECT_EQ(reloaded(), std::pair(QList<int32_t>{3, 2, 0}, 1));
    EXPECT_EQ(Entry_File(), Entry_Record("B,b", 0, 0, 3) + Entry_Record("C,c", 0, 0, 2) + Entry_Record("E,e"));
}

// Table and seat numbers of a damaged entry file are brought into a range the
// seating arithmetic cannot overflow; they still name no table and no seat.
TEST_F(Tourney_Test, FarOutTablesAndSeatsAreClampedWhenRead)
{
    folder.Write("Data/Cup.plr", Entry_Record("A,a", INT32_MAX, INT32_MIN, 0) + Entry_Record("B,b", 11, -1, 0) +
                                     Entry_Record("C,c", INT32_MIN, INT32_MAX, 0));
    t->Load_File("Cup");
    for (int i = 0; i < 3; ++i) {
        EXPECT_LT(t->Players[i].Table, INT32_MAX / 2);
        EXPECT_GT(t->Players[i].Table, INT32_MIN / 2);
        EXPECT_LT(t->Players[i].Seat, INT32_MAX / 2);
        EXPECT_GT(t->Players[i].Seat, INT32_MIN / 2);
    }
    EXPECT_GT(t->Players[0].Table, 150);
    EXPECT_LT(t->Players[0].Seat, -1);
    EXPECT_EQ(t->Players[1].Table, 11); // ordinary numbers stay as stored
    EXPECT_EQ(t->Players[1].Seat, -1);
    EXPECT_LT(t->Players[2].Table, -1);
    EXPECT_GT(t->Players[2].Seat, 150);
}

TEST_F(Tourney_Test, LoadingAnotherTournamentLeavesNoEntriesBehind)
{
    Enter_All({"A,a", "B,b", "C,c"});
    t->Load_File("Empty"); // no entry file
    EXPECT_EQ(t->Total, 0);
    t->Enter_Player("Z,z");
    EXPECT_EQ(t->Total, 1);
    EXPECT_EQ(folder.Read("Data/Empty.plr"), Entry_Record("Z,z"));
}


TEST(Level_Clock_Test, TicksDownAndReportsTheEndOfTheLevel)
{
    Level_Clock c{0, 1, 0};
    EXPECT_FALSE(c.Tick());
    EXPECT_EQ(c.Minutes, 0);
    EXPECT_EQ(c.Seconds, 0);
    EXPECT_EQ(c.Paused, 0);
    EXPECT_TRUE(c.Tick());
    EXPECT_EQ(c.Paused, 1);
    EXPECT_EQ(c.Seconds, 0);

    Level_Clock d{3, 0, 0};
    EXPECT_FALSE(d.Tick());
    EXPECT_EQ(d.Minutes, 2);
    EXPECT_EQ(d.Seconds, 59);

    // A level of m minutes runs m*60 ticks from m:00 to 0:00; the next one ends it.
    Level_Clock e{2, 0, 0};
    int ticks = 0;
    while (!e.Tick())
        ++ticks;
    EXPECT_EQ(ticks, 120);
}

} // namespace
