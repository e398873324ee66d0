// The Players page's roster: the two lists, entering and removing players,
// the quick view and the database commands, driven through the controls.
#include "Main_window_test.h"
#include "Roster_data.h"

#include "model/Player.h"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

class Players_Page_Test : public Main_Window_Test {
protected:
    // Starts the program and opens the Players page as the operator does.
    void Open_Page()
    {
        Start();
        form->show();
        form->SpeedButton4->click();
    }
    QByteArray Plr() const { return folder.Read("Data/Default.plr"); }
    QString Trn() const { return QString::fromUtf8(folder.Read("Data/Default.trn")); }
    QStringList Available() const { return Items(form->Available_List); }
    QStringList Playing() const { return Items(form->Playing_List); }
    QStringList Database_Keys() const
    {
        CPlayerDB db;
        db.Load();
        QStringList keys;
        for (int i = 0; i < db.Count; ++i)
            keys << db.Player[i].Key();
        return keys;
    }
};

TEST_F(Players_Page_Test, ControlsCarryTheirCaptionsAndHints)
{
    Open_Page();
    EXPECT_EQ(form->GroupBox1->title(), QStringLiteral("Select Players"));
    EXPECT_EQ(form->New_Button->text(), QStringLiteral("New..."));
    EXPECT_EQ(form->New_Button->toolTip(), QStringLiteral("Add New Player"));
    EXPECT_EQ(form->Edit_Button->text(), QStringLiteral("Edit..."));
    EXPECT_EQ(form->Edit_Button->toolTip(), QStringLiteral("Edit Selected Player"));
    EXPECT_EQ(form->Delete_Button->text(), QStringLiteral("Delete..."));
    EXPECT_EQ(form->Delete_Button->toolTip(), QStringLiteral("Remove Selected Player"));
    EXPECT_EQ(form->BitBtn5->text(), QStringLiteral("Contact List"));
    EXPECT_EQ(form->BitBtn5->toolTip(), QStringLiteral("Generate Contact List"));
    EXPECT_EQ(form->GroupBox2->title(), QStringLiteral("Quick View (Tournament Player)"));
    EXPECT_FALSE(form->GroupBox2->isEnabled());
    EXPECT_FALSE(form->Rank_Edit->isVisible());
    EXPECT_TRUE(form->First_Edit->isReadOnly());
    EXPECT_EQ(form->Available_List->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(form->Playing_List->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(form->Load_Available->text(), QStringLiteral("Load All"));
    EXPECT_EQ(form->Load_PlayerInfo->text(), QStringLiteral("Load"));
    // The group stays inside its half of the page.
    EXPECT_LE(form->GroupBox1->geometry().bottom(), 330);
    EXPECT_TRUE(form->Players_Sheet->rect().contains(form->GroupBox1->geometry()));
}

TEST_F(Players_Page_Test, EnteringAPlayerStoresTheEntryAndNeverTwice)
{
    Store_Player("Ann", "Lee");
    Store_Player("Bob", "Day");
    Open_Page();
    EXPECT_EQ(Available(), (QStringList{"Ann,Lee", "Bob,Day"}));
    EXPECT_TRUE(Playing().isEmpty());

    Double_Click_Item(form->Available_List, "Ann,Lee");
    EXPECT_EQ(Playing(), QStringList{"Ann,Lee"});
    // Still listed as available; the entry file and the tournament file agree.
    EXPECT_EQ(Available(), (QStringList{"Ann,Lee", "Bob,Day"}));
    EXPECT_EQ(Entries_Of(Plr()), (QList<std::pair<QString, int>>{{"Ann,Lee", 0}}));
    EXPECT_TRUE(Trn().contains("Total=1\n"));
    EXPECT_TRUE(Trn().contains("Out=1\n"));

    // Entering the same key again changes nothing, and says nothing.
    const QByteArray plr = Plr();
    Click_Item(form->Available_List, "Ann,Lee");
    form->SpeedButton1->click();
    EXPECT_EQ(Playing(), QStringList{"Ann,Lee"});
    EXPECT_EQ(Plr(), plr);
    EXPECT_EQ(form->Current_Tourney->Total, 1);
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(Players_Page_Test, ThreeSelectedOfWhomOneIsEnteredEntersTheOtherTwo)
{
    Store_Player("Zed", "Ray");
    Store_Player("Ann", "Lee");
    Store_Player("bob", "Day");
    Store_Player("Carl", "Fox");
    Open_Page();
    // Case-insensitive alphabetical order, whatever the order of the file.
    EXPECT_EQ(Available(), (QStringList{"Ann,Lee", "bob,Day", "Carl,Fox", "Zed,Ray"}));

    Double_Click_Item(form->Available_List, "Zed,Ray");
    Click_Item(form->Available_List, "Ann,Lee");
    Click_Item(form->Available_List, "bob,Day", Qt::ControlModifier);
    Click_Item(form->Available_List, "Zed,Ray", Qt::ControlModifier);
    form->SpeedButton1->click();

    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(Playing(), (QStringList{"Ann,Lee", "bob,Day", "Zed,Ray"}));
    // The entry file keeps the order of entry.
    const auto entries = Entries_Of(Plr());
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].first, QStringLiteral("Zed,Ray"));
    EXPECT_EQ(entries[1].first, QStringLiteral("Ann,Lee"));
    EXPECT_EQ(entries[2].first, QStringLiteral("bob,Day"));
    EXPECT_TRUE(Trn().contains("Out=3\n"));
}

TEST_F(Players_Page_Test, KeysDifferingOnlyInCaseAreTwoPlayers)
{
    Store_Player("Ann", "Lee");
    Store_Player("ann", "lee");
    Open_Page();
    EXPECT_EQ(Available().size(), 2);
    Click_Item(form->Available_List, "Ann,Lee");
    Click_Item(form->Available_List, "ann,lee", Qt::ControlModifier);
    form->SpeedButton1->click();
    EXPECT_EQ(Playing().size(), 2);
    EXPECT_TRUE(Playing().contains("Ann,Lee"));
    EXPECT_TRUE(Playing().contains("ann,lee"));
    EXPECT_EQ(form->Current_Tourney->Total, 2);
}

TEST_F(Players_Page_Test, ArrowsAndDoubleClicksWithNothingChosenDoNothing)
{
    Store_Player("Ann", "Lee");
    folder.Write("Data/Default.plr", Entry_File({{"Bob,Day", 0}}));
    Open_Page();
    const QByteArray plr = Plr();
    form->SpeedButton1->click();
    form->SpeedButton2->click();
    EXPECT_TRUE(script.messages.empty()); // not even the removal question
    EXPECT_EQ(Plr(), plr);
    EXPECT_EQ(Playing(), QStringList{"Bob,Day"});
}

TEST_F(Players_Page_Test, RemovalAsksFirstAndCancelLeavesTheEntryFileAlone)
{
    folder.Write("Data/Default.trn", "[Players]\nTotal=4\nOut=2\n");
    folder.Write("Data/Default.plr", Entry_File({{"A,a", 4}, {"B,b", 0}, {"C,c", 3}, {"D,d", 0}}));
    Open_Page();
    const QByteArray plr = Plr();

    script.answers.push_back(Answer::Cancel);
    Double_Click_Item(form->Playing_List, "C,c");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text,
              QStringLiteral("This will remove player from list and clear settings.\nDo you wish to continue?"));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Remove Player"));
    EXPECT_EQ(script.messages[0].buttons, Buttons::OK_Cancel);
    EXPECT_EQ(Plr(), plr);
    EXPECT_EQ(Playing().size(), 4);

    // Confirmed: the out player C (place 3) and the in player D go; A moves up twice.
    Click_Item(form->Playing_List, "C,c");
    Click_Item(form->Playing_List, "D,d", Qt::ControlModifier);
    form->SpeedButton2->click();
    EXPECT_EQ(Playing(), (QStringList{"A,a", "B,b"}));
    EXPECT_EQ(Entries_Of(Plr()), (QList<std::pair<QString, int>>{{"A,a", 2}, {"B,b", 0}}));
    EXPECT_TRUE(Trn().contains("Total=2\n"));
    EXPECT_TRUE(Trn().contains("Out=1\n"));
}

TEST_F(Players_Page_Test, DeletingFromTheDatabaseKeepsEnteredPlayersInTheTournament)
{
    Store_Player("Ann", "Lee");
    Store_Player("Bob", "Day");
    Store_Player("Cy", "Oh");
    folder.Write("Data/Default.plr", Entry_File({{"Bob,Day", 0}}));
    Open_Page();
    Click_Item(form->Available_List, "Ann,Lee");
    Click_Item(form->Available_List, "Bob,Day", Qt::ControlModifier);

    script.answers.push_back(Answer::Cancel);
    form->Delete_Button->click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text,
              QStringLiteral("This will remove player from the database.\nDo you wish to continue?"));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Remove Player"));
    EXPECT_EQ(Database_Keys().size(), 3);
    EXPECT_EQ(Available().size(), 3);

    form->Delete_Button->click();
    EXPECT_EQ(Database_Keys(), QStringList{"Cy,Oh"});
    EXPECT_EQ(Available(), QStringList{"Cy,Oh"});
    EXPECT_EQ(Playing(), QStringList{"Bob,Day"});
    form->SpeedButton3->click(); // a save and reload keeps him in
    EXPECT_EQ(form->Current_Tourney->Total, 1);
    EXPECT_EQ(Playing(), QStringList{"Bob,Day"});
}

TEST_F(Players_Page_Test, QuickViewShowsTheClickedPlayerAndKeepsItForAPlayerNotInTheDatabase)
{
    Store_Player("Ann", "Lee", "555-0101", "Annie", "555-0199");
    Store_Player("Bob", "Day");
    folder.Write("Data/Default.plr", Entry_File({{"Ann,Lee", 0}, {"Bob,Day", 0}}));
    Open_Page();
    Click_Item(form->Playing_List, "Ann,Lee");
    EXPECT_EQ(form->First_Edit->text(), QStringLiteral("Ann"));
    EXPECT_EQ(form->Last_Edit->text(), QStringLiteral("Lee"));
    EXPECT_EQ(form->Aka_Edit->text(), QStringLiteral("Annie"));
    EXPECT_EQ(form->Phone_Edit->text(), QStringLiteral("555-0101"));
    EXPECT_EQ(form->Cell_Edit->text(), QStringLiteral("555-0199"));
    EXPECT_EQ(Player_Buf.Key(), QStringLiteral("Ann,Lee"));

    // Bob's record is deleted; clicking him leaves Ann in the quick view.
    Click_Item(form->Available_List, "Bob,Day");
    form->Delete_Button->click();
    Click_Item(form->Playing_List, "Bob,Day");
    EXPECT_EQ(form->First_Edit->text(), QStringLiteral("Ann"));
    EXPECT_EQ(form->Phone_Edit->text(), QStringLiteral("555-0101"));
}

TEST_F(Players_Page_Test, RefusedEntriesNameThePlayerAndChangeNothingElse)
{
    // An old database may hold a key longer than an entry's name can take.
    Store_Player("Christopher", "Montgomery");
    Store_Player("Ann", "Lee");
    Open_Page();
    Click_Item(form->Available_List, "Ann,Lee");
    Click_Item(form->Available_List, "Christopher,Montgomery", Qt::ControlModifier);
    form->SpeedButton1->click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("Christopher,Montgomery"));
    EXPECT_TRUE(script.messages[0].text.contains("19"));
    EXPECT_EQ(Playing(), QStringList{"Ann,Lee"});
    EXPECT_EQ(Entries_Of(Plr()), (QList<std::pair<QString, int>>{{"Ann,Lee", 0}}));
}

TEST_F(Players_Page_Test, A150thEntryIsTheLast)
{
    QList<std::pair<QString, int>> full;
    for (int i = 0; i < Max_Entries; ++i)
        full.append({QStringLiteral("P%1,X").arg(i, 3, 10, QLatin1Char('0')), i < 10 ? Max_Entries - i : 0});
    folder.Write("Data/Default.trn", "[Players]\nTotal=150\nOut=140\n");
    folder.Write("Data/Default.plr", Entry_File(full));
    Store_Player("Ann", "Lee");
    Open_Page();
    EXPECT_EQ(Playing().size(), Max_Entries);
    const QByteArray plr = Plr();
    const QString trn = Trn();

    Double_Click_Item(form->Available_List, "Ann,Lee");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("Ann,Lee"));
    EXPECT_TRUE(script.messages[0].text.contains("150"));
    EXPECT_EQ(Plr(), plr);
    EXPECT_EQ(Trn(), trn);
    EXPECT_EQ(Playing().size(), Max_Entries);
    EXPECT_FALSE(Playing().contains("Ann,Lee"));
}

TEST_F(Players_Page_Test, EditWithoutAnAvailablePlayerSelectedSaysSo)
{
    folder.Write("Data/Default.plr", Entry_File({{"Ann,Lee", 0}}));
    Open_Page();
    form->Edit_Button->click();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("You must select a player\nfrom the available players."));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Player Edit"));
    EXPECT_FALSE(script.modals_shown.contains("PlayerEntry_Form"));
}

TEST_F(Players_Page_Test, NewAndEditGoThroughTheDialogAndRefreshTheList)
{
    Store_Player("Ann", "Lee");
    Store_Player("Bob", "Day", "555-0000");
    Open_Page();

    script.modal_scripts["PlayerEntry_Form"] = [this](QDialog*) {
        EXPECT_EQ(entry->windowTitle(), QStringLiteral("Add Player"));
        QTest::keyClicks(entry->First_Edit, "Cy");
        QTest::keyClicks(entry->Last_Edit, "Oh");
        entry->Save_Button->click();
        return 1;
    };
    form->New_Button->click();
    EXPECT_EQ(Available(), (QStringList{"Ann,Lee", "Bob,Day", "Cy,Oh"}));

    // Edit works on the first selected player that the database holds.
    Click_Item(form->Available_List, "Bob,Day");
    script.modal_scripts["PlayerEntry_Form"] = [this](QDialog*) {
        EXPECT_EQ(entry->windowTitle(), QStringLiteral("Edit Player"));
        EXPECT_EQ(entry->Phone_Edit->text(), QStringLiteral("555-0000"));
        entry->Last_Edit->setText(QStringLiteral("Dee"));
        entry->Save_Button->click();
        return 1;
    };
    form->Edit_Button->click();
    EXPECT_EQ(Available(), (QStringList{"Ann,Lee", "Bob,Dee", "Cy,Oh"}));
    EXPECT_EQ(Database_Keys(), (QStringList{"Ann,Lee", "Bob,Dee", "Cy,Oh"}));
    EXPECT_TRUE(script.messages.empty());
}

} // namespace
