// "Balance" in the seating dialog and the hint on the Players page: the moves
// are told in the announced form, go into the entries and the grid, are
// stored when the dialog closes, and the seating report shows the result.
#include "Main_window_test.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace {

struct Entry {
    const char* name;
    int table; // 0-based
    int seat;
    bool out;
};

class Balance_Dialog_Test : public Main_Window_Test {
protected:
    void Prepare(const std::vector<Entry>& entries)
    {
        QDir().mkpath(folder.data());
        CTourney t;
        t.Load_File(QStringLiteral("Default.trn"));
        for (const Entry& e : entries)
            t.Enter_Player(QString::fromLatin1(e.name));
        for (size_t i = 0; i < entries.size(); ++i) {
            t.Players[i].Table = entries[i].table;
            t.Players[i].Seat = entries[i].seat;
        }
        t.Save_File(QStringLiteral("Default.trn"));
        Start();
        // Knock-outs through the record, as the in/out grid does.
        for (const Entry& e : entries)
            if (e.out)
                form->Current_Tourney->Set_Out(QString::fromLatin1(e.name));
        form->Save_Setup->trigger();
    }

    void In_Dialog(const std::function<void(TSeat_Form&)>& work)
    {
        script.modal_scripts[QStringLiteral("Seat_Form")] = [work](QDialog* d) {
            work(*static_cast<TSeat_Form*>(d));
            return 0;
        };
        form->Button1->click();
    }

    const CTourneyPlayer& Entry_Of(const char* name) const
    {
        return form->Current_Tourney->Players[form->Current_Tourney->Find_Entry(QString::fromLatin1(name))];
    }
};

TEST_F(Balance_Dialog_Test, MovesAreToldAppliedStoredAndReported)
{
    // Table 1: four in; table 2: four, two of them out; table 3: one in (Ann
    // at seat 2). Seven in, at most four a table: table 3 breaks.
    Prepare({{"Al,Bo", 0, 0, false}, {"Cy,Di", 0, 1, false}, {"Ed,Fa", 0, 2, false}, {"Gil,Ho", 0, 3, false},
             {"Ian,Jo", 1, 0, true}, {"Kai,Lu", 1, 1, false}, {"Mo,Ned", 1, 2, true}, {"Oz,Pi", 1, 3, false},
             {"Ann,Lee", 2, 1, false}});
    EXPECT_FALSE(form->Balance_Hint->isHidden()) << "tables of 4, 2 and 1";
    EXPECT_TRUE(form->Players_Sheet->isAncestorOf(form->Balance_Hint));

    script.messages.clear();
    In_Dialog([&](TSeat_Form& d) {
        EXPECT_EQ(d.Balance_Btn->text(), QStringLiteral("Balance"));
        d.Balance_Btn->click();
        // Ann takes table 2's first free seat: players out keep theirs.
        EXPECT_EQ(d.Cell(1, 9), QStringLiteral("2"));
        EXPECT_EQ(d.Cell(2, 9), QStringLiteral("5"));
        EXPECT_EQ(Entry_Of("Ann,Lee").Table, 1);
    });
    ASSERT_GE(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text.toUtf8(), QByteArray("Ann,Lee: table 3 seat 2 \xE2\x86\x92 table 2 seat 5"));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Balance"));
    // The report of the new seating is written and opened.
    ASSERT_EQ(script.shell_opened.size(), 1);
    EXPECT_TRUE(script.shell_opened[0].endsWith(QStringLiteral("Reports/Seating.htm")));
    EXPECT_TRUE(folder.Read(QStringLiteral("Reports/Seating.htm")).contains("<tr><td> 5</td><td>Ann,Lee</td></tr>"));

    // Closing stored it: the lists and the entry file agree, the hint is gone.
    CTourney stored;
    stored.Load_File(QStringLiteral("Default.trn"));
    const int ann = stored.Find_Entry(QStringLiteral("Ann,Lee"));
    ASSERT_GE(ann, 0);
    EXPECT_EQ(stored.Players[ann].Table, 1);
    EXPECT_EQ(stored.Players[ann].Seat, 4);
    EXPECT_TRUE(form->Balance_Hint->isHidden());
}

TEST_F(Balance_Dialog_Test, BalancesTheSeatingTheGridShowsAndSaysWhenNothingMoves)
{
    Prepare({{"Al,Bo", 0, 0, false}, {"Cy,Di", 0, 1, false}, {"Ed,Fa", 1, 0, false}});
    EXPECT_TRUE(form->Balance_Hint->isHidden());
    script.messages.clear();
    In_Dialog([&](TSeat_Form& d) {
        d.Balance_Btn->click();
        // The operator moves Ed to table 1 in the grid: now 3 and 0, one
        // table; nothing to balance.
        d.StringGrid1->item(3, 1)->setText(QStringLiteral("1"));
        d.StringGrid1->item(3, 2)->setText(QStringLiteral("3"));
        d.Balance_Btn->click();
    });
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("The tables are balanced."));
    EXPECT_EQ(script.messages[1].text, QStringLiteral("The tables are balanced."));
    EXPECT_TRUE(script.shell_opened.isEmpty());
    EXPECT_EQ(Entry_Of("Ed,Fa").Table, 0);
}

TEST_F(Balance_Dialog_Test, WithoutPlayersNothingToBalance)
{
    Prepare({});
    script.messages.clear();
    In_Dialog([](TSeat_Form& d) { d.Balance_Btn->click(); });
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("This option requires more players"));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Balance"));
}

} // namespace
