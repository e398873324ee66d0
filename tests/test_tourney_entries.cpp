// The tournament record's entry operations: entering, going out and coming
// back in, withdrawing, and what a failed write leaves behind.
#include "model/Tourney.h"
#include "platform/Velmora_error.h"
#include "support/Record_images.h"
#include "support/Tourney_fixture.h"

#include <QFile>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

TEST_F(Tourney_Test, EnteringTenPlayersIntoANewTournament)
{
    t->Load_File("Cup");
    EXPECT_EQ(t->Total, 0);
    EXPECT_EQ(t->Out, 0);
    for (int i = 0; i < Ten.size(); ++i) {
        EXPECT_EQ(t->Enter_Player(Ten[i]), i); // the Out before the entry
        EXPECT_EQ(t->Total, i + 1);
        EXPECT_EQ(t->Append_Position(), i + 1);
    }
    EXPECT_EQ(t->Out, 10);
    EXPECT_EQ(Entry_File().size(), 320);
    EXPECT_EQ(t->Find_Entry("J,j"), 9);
    EXPECT_EQ(t->Find_Entry("j,j"), -1);
}

TEST_F(Tourney_Test, GoingOutAndComingBackIn)
{
    Enter_All(Ten);
    t->Set_Out("A,a");
    t->Set_Out("B,b");
    EXPECT_EQ(Place_Of("A,a"), 10);
    EXPECT_EQ(Place_Of("B,b"), 9);
    EXPECT_EQ(t->Out, 8);
    // Set_Out writes the entry file at once.
    EXPECT_EQ(Entry_File().mid(28, 4), QByteArray::fromHex("0A000000"));

    t->Set_In("A,a");
    EXPECT_EQ(Place_Of("A,a"), 0);
    EXPECT_EQ(Place_Of("B,b"), 10);
    EXPECT_EQ(t->Out, 9);
    EXPECT_EQ(Entry_File().mid(28, 4), QByteArray(4, '\0'));
    EXPECT_EQ(Entry_File().mid(32 + 28, 4), QByteArray::fromHex("0A000000"));
}

TEST_F(Tourney_Test, NoOpsWriteNothing)
{
    Enter_All(Ten);
    t->Set_Out("A,a");
    const QByteArray marker = "not rewritten";
    folder.Write("Data/Cup.plr", marker);

    t->Set_Out("A,a");    // already out
    t->Set_Out("Nobody"); // not entered
    t->Set_Out("");       // names a free slot, not a player
    t->Set_In("B,b");     // still in
    t->Set_In("Nobody");
    EXPECT_EQ(Entry_File(), marker);
    EXPECT_EQ(Place_Of("A,a"), 10);
    EXPECT_EQ(Place_Of("B,b"), 0);
    EXPECT_EQ(t->Out, 9);
}

TEST_F(Tourney_Test, EnteringAPlayerPushesThoseOutOnePlaceDown)
{
    Enter_All(Ten);
    t->Set_Out("A,a");
    t->Set_Out("B,b");
    EXPECT_EQ(t->Enter_Player("K,k"), 8);
    EXPECT_EQ(t->Total, 11);
    EXPECT_EQ(Place_Of("A,a"), 11);
    EXPECT_EQ(Place_Of("B,b"), 10);
    EXPECT_EQ(Place_Of("K,k"), 0);
    EXPECT_EQ(t->Out, 9);
    EXPECT_EQ(t->Find_Entry("K,k"), 10);
}

TEST_F(Tourney_Test, EnteringAfterAStaleOutCountsFromTheEntries)
{
    folder.Write("Data/Cup.trn", "[Players]\nOut=3\n");
    folder.Write("Data/Cup.plr", Entry_Record("A,a") + Entry_Record("B,b"));
    t->Load_File("Cup");
    EXPECT_EQ(t->Out, 2);
    EXPECT_EQ(t->Enter_Player("C,c"), 2);
    EXPECT_EQ(t->Total, 3);
    EXPECT_EQ(t->Out, 3);
}

TEST_F(Tourney_Test, WithdrawingAPlayerWhoIsStillIn)
{
    Enter_All(Ten);
    t->Set_Out("A,a");
    t->Set_Out("B,b");
    EXPECT_EQ(t->Withdraw_Player("E,e"), 9);
    EXPECT_EQ(t->Total, 9);
    EXPECT_EQ(Place_Of("A,a"), 9);
    EXPECT_EQ(Place_Of("B,b"), 8);
    EXPECT_EQ(t->Out, 7);
    // The later entries moved down; the file was rewritten without him.
    EXPECT_EQ(t->Find_Entry("F,f"), 4);
    EXPECT_EQ(t->Find_Entry("E,e"), -1);
    EXPECT_EQ(Entry_File().size(), 9 * 32);
    EXPECT_EQ(t->Append_Position(), 9);
}

TEST_F(Tourney_Test, WithdrawingAPlayerWhoWasOut)
{
    Enter_All(Ten);
    t->Set_Out("A,a"); // 10
    t->Set_Out("B,b"); // 9
    t->Set_Out("C,c"); // 8
    t->Withdraw_Player("B,b");
    EXPECT_EQ(t->Total, 9);
    EXPECT_EQ(Place_Of("A,a"), 9);
    EXPECT_EQ(Place_Of("C,c"), 8);
    EXPECT_EQ(t->Out, 7);
}

TEST_F(Tourney_Test, WithdrawingSomebodyUnknownChangesNothingButTheFile)
{
    Enter_All(Ten);
    t->Set_Out("A,a");
    folder.Write("Data/Cup.plr", "old");
    EXPECT_EQ(t->Withdraw_Player("Nobody"), 10);
    EXPECT_EQ(t->Withdraw_Player(""), 10);
    EXPECT_EQ(t->Out, 9);
    EXPECT_EQ(Place_Of("A,a"), 10);
    EXPECT_EQ(Entry_File().size(), 320); // rewritten from the record
}

TEST_F(Tourney_Test, EnterRefusesAFullTableAndOverlongNames)
{
    QByteArray full;
    for (int i = 0; i < Max_Entries; ++i)
        full += Entry_Record(QByteArray("P,") + QByteArray::number(i));
    folder.Write("Data/Cup.plr", full);
    t->Load_File("Cup");
    int32_t out = t->Out;
    try {
        t->Enter_Player("Ann,Lee");
        FAIL() << "a 151st entry was accepted";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Cannot enter Ann,Lee: the tournament already holds 150 players.");
    }
    EXPECT_EQ(t->Total, 150);
    EXPECT_EQ(t->Out, out);
    EXPECT_EQ(Entry_File(), full);

    CTourney r;
    r.Load_File("Small");
    const QString twenty = "Bartholomew,Smithee"; // 19 characters: fits
    EXPECT_EQ(twenty.size(), 19);
    r.Enter_Player(twenty);
    try {
        r.Enter_Player("Bartholomew,Smithers");
        FAIL() << "a 20-character name was accepted";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Cannot enter Bartholomew,Smithers: a player's name in a tournament holds at most 19 "
                            "characters.");
    }
    EXPECT_THROW(r.Enter_Player(""), Velmora_Error); // an empty name would end the list
    EXPECT_EQ(r.Total, 1);
    EXPECT_EQ(r.Out, 1);
    EXPECT_EQ(r.Append_Position(), 1);
    EXPECT_EQ(folder.Read("Data/Small.plr"), Entry_Record(twenty.toLatin1()));
}

TEST_F(Tourney_Test, FailedTournamentFileWriteKeepsBothOldFiles)
{
    // A name so long that no temporary file can be made beside its files.
    const QString name = QString(251, 'n');
    const QByteArray trn = "[Setup]\nTime=5\n";
    const QByteArray plr = Entry_Record("A,a") + Entry_Record("B,b");
    folder.Write("Data/" + name + ".trn", trn);
    folder.Write("Data/" + name + ".plr", plr);
    t->Load_File(name);
    ASSERT_EQ(t->Time, 5);
    t->Time = 6;
    t->Players[0].Table = 4;
    try {
        t->Save_File(name);
        FAIL() << "no error";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + folder.data() + name + ".trn");
    }
    EXPECT_EQ(folder.Read("Data/" + name + ".trn"), trn);
    EXPECT_EQ(folder.Read("Data/" + name + ".plr"), plr);
}

TEST_F(Tourney_Test, FailedEntryWritesThrowAndLeaveTheRecordAsItWas)
{
    Enter_All({"A,a", "B,b"});
    t->Set_Out("A,a");

    // The entry file's path is a folder: it cannot be replaced.
    ASSERT_TRUE(QDir().mkpath(folder.data() + "Blocked.plr"));
    try {
        t->Save_File("Blocked");
        FAIL() << "no error";
    } catch (const Velmora_Error& e) {
        EXPECT_EQ(e.text(), "Unable to write to " + folder.data() + "Blocked.plr");
    }

    EXPECT_THROW(t->Enter_Player("C,c"), Velmora_Error);
    EXPECT_EQ(t->Find_Entry("C,c"), -1);
    EXPECT_EQ(t->Total, 2);
    EXPECT_EQ(t->Append_Position(), 2);
    EXPECT_THROW(t->Set_In("A,a"), Velmora_Error);
    EXPECT_EQ(Place_Of("A,a"), 2);
    EXPECT_EQ(t->Out, 1);
    EXPECT_THROW(t->Set_Out("B,b"), Velmora_Error);
    EXPECT_EQ(Place_Of("B,b"), 0);
    EXPECT_EQ(t->Out, 1);
    EXPECT_THROW(t->Withdraw_Player("A,a"), Velmora_Error);
    EXPECT_EQ(t->Find_Entry("A,a"), 0);
    EXPECT_EQ(t->Out, 1);
}

} // namespace
