// Seating on the main window and in the seating dialog, and the report
// commands: table lists, in-place editors, random seating, closing, reports.
#include "Main_window_test.h"

#include "forms/widgets/Spin_box.h"
#include "model/Player.h"
#include "model/Seating_draw.h"
#include "platform/Program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

struct Seated {
    const char* name;
    int table; // 0-based, as stored
    int seat;
};

class Seating_Test : public Main_Window_Test {
protected:
    // Stores a tournament "Default" with these entries before the program starts.
    void Prepare(const std::vector<Seated>& entries)
    {
        QDir().mkpath(folder.data());
        CTourney t;
        t.Load_File(QStringLiteral("Default.trn"));
        for (const Seated& e : entries)
            t.Enter_Player(QString::fromLatin1(e.name));
        for (size_t i = 0; i < entries.size(); ++i) {
            t.Players[i].Table = entries[i].table;
            t.Players[i].Seat = entries[i].seat;
        }
        t.Save_File(QStringLiteral("Default.trn"));
    }

    void Prepare_Players(int count)
    {
        names_.clear();
        for (int i = 0; i < count; ++i)
            names_.push_back(QStringLiteral("P%1,Q%1").arg(i).toLatin1());
        std::vector<Seated> entries;
        for (const QByteArray& n : names_)
            entries.push_back({n.constData(), 0, 0});
        Prepare(entries);
    }

    QStringList List(int table) const
    {
        QStringList items;
        const QListWidget* list = form->Table_List[table - 1];
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }

    // Runs script inside the seating dialog, opened with "Edit...".
    void In_Dialog(const std::function<void(TSeat_Form&)>& work)
    {
        script.modal_scripts[QStringLiteral("Seat_Form")] = [work](QDialog* d) {
            work(*static_cast<TSeat_Form*>(d));
            return 0;
        };
        form->Button1->click();
    }

    static void Click_Cell(TSeat_Form& d, int row, int column)
    {
        QTableWidgetItem* item = d.StringGrid1->item(row, column);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(d.StringGrid1->viewport(), Qt::LeftButton, {},
                          d.StringGrid1->visualItemRect(item).center());
    }

    // The editor lies over the cell: it covers the cell and at most the grid
    // line below it.
    static void Expect_Over_Cell(TSeat_Form& d, QWidget* editor, int row, int column)
    {
        ASSERT_TRUE(editor->isVisible());
        const QRect cell = d.StringGrid1->visualItemRect(d.StringGrid1->item(row, column));
        const QRect placed(d.StringGrid1->viewport()->mapFrom(&d, editor->mapTo(&d, QPoint(0, 0))), editor->size());
        EXPECT_TRUE(placed.contains(cell)) << "cell " << row << "," << column;
        EXPECT_EQ(placed.width(), cell.width());
        EXPECT_LE(placed.height(), cell.height() + 1);
    }

    QByteArray Plr() const { return folder.Read(QStringLiteral("Data/Default.plr")); }

    std::vector<QByteArray> names_;
};

TEST_F(Seating_Test, TableListsShowSeatAndNameSortedAsText)
{
    Prepare({{"Al,Bo", 0, 1},
             {"Zed,Ray", 0, 9},
             {"abe,Moe", 0, 1},
             {"Cy,Fox", 9, 0},
             {"Far,Away", 11, 0},
             {"Neg,Ative", -1, 3},
             {"Dee,Lo", 2, 4}});
    Start();
    EXPECT_EQ(List(1), (QStringList{"10 Zed,Ray", "2 abe,Moe", "2 Al,Bo"}));
    EXPECT_EQ(List(3), QStringList{"5 Dee,Lo"});
    EXPECT_EQ(List(10), QStringList{"1 Cy,Fox"});
    int listed = 0;
    for (int t = 1; t <= 10; ++t)
        listed += static_cast<int>(List(t).size());
    EXPECT_EQ(listed, 5); // table 12 and table 0 show nowhere

    // The controls, found by their names.
    for (int t = 1; t <= 10; ++t) {
        auto* list = form->findChild<QListWidget*>(QStringLiteral("Table%1_List").arg(t));
        ASSERT_EQ(list, form->Table_List[t - 1]);
        EXPECT_EQ(list->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(list->parentWidget()->isAncestorOf(list));
    }
    EXPECT_EQ(form->Seating_Group->title(), QStringLiteral("Seating"));
    EXPECT_TRUE(form->Players_Sheet->isAncestorOf(form->Table_List[0]));
    EXPECT_EQ(form->Button1->text(), QStringLiteral("Edit..."));
    EXPECT_EQ(form->Button1->toolTip(), QStringLiteral("Edit Tables"));
    EXPECT_EQ(form->Button2->text(), QStringLiteral("Report..."));
    EXPECT_EQ(form->Button2->toolTip(), QStringLiteral("Create Seating Report"));

    // Every reload rebuilds the lists from the stored tournament.
    form->Current_Tourney->Players[0].Table = 4;
    form->Current_Tourney->Write_Entries();
    form->Load_Design->trigger();
    EXPECT_EQ(List(1), (QStringList{"10 Zed,Ray", "2 abe,Moe"}));
    EXPECT_EQ(List(5), QStringList{"2 Al,Bo"});
}

TEST_F(Seating_Test, DialogWithoutPlayersShowsThePlaceholderAndDoesNothing)
{
    Start();
    QFile::remove(folder.data() + "Default.plr");
    In_Dialog([this](TSeat_Form& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Seat_Form"));
        EXPECT_EQ(d.PlayerRows, 0);
        EXPECT_EQ(d.StringGrid1->rowCount(), 2);
        EXPECT_EQ(d.StringGrid1->columnCount(), 3);
        EXPECT_EQ(d.Cell(0, 0), QStringLiteral("Name"));
        EXPECT_EQ(d.Cell(1, 0), QStringLiteral("Table"));
        EXPECT_EQ(d.Cell(2, 0), QStringLiteral("Seat"));
        EXPECT_EQ(d.Cell(0, 1), QStringLiteral("Empty "));
        EXPECT_EQ(d.Cell(1, 1), QStringLiteral(" "));
        EXPECT_EQ(d.Cell(2, 1), QStringLiteral(" "));
        Click_Cell(d, 1, 2);
        EXPECT_FALSE(d.Seat_Spin->isVisible());
        EXPECT_FALSE(d.Table_Spin->isVisible());
        d.Random_Btn->click();
    });
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("This option requires more players"));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Random Seating"));
    EXPECT_EQ(script.messages[0].buttons, Buttons::OK);
    EXPECT_EQ(form->Current_Tourney->Total, 0);
    // Closing stored the (empty) entry file again.
    EXPECT_TRUE(QFile::exists(folder.data() + "Default.plr"));
}

TEST_F(Seating_Test, SpinEditorsEditTheGridAndClosingStoresIt)
{
    Prepare({{"Ann,Lee", 0, 0}, {"Bob,Day", 1, 6}, {"Cy,Fox", 0, 1}});
    Start();
    In_Dialog([this](TSeat_Form& d) {
        EXPECT_EQ(d.PlayerRows, 4);
        EXPECT_EQ(d.StringGrid1->rowCount(), 4);
        EXPECT_EQ(d.Cell(0, 2), QStringLiteral("Bob,Day"));
        EXPECT_EQ(d.Cell(1, 2), QStringLiteral("2"));
        EXPECT_EQ(d.Cell(2, 2), QStringLiteral("7"));
        EXPECT_EQ(d.StringGrid1->currentRow(), 1);
        EXPECT_EQ(d.StringGrid1->currentColumn(), 1);
        EXPECT_FALSE(d.Table_Spin->isVisible());

        Click_Cell(d, 2, 2);
        Expect_Over_Cell(d, d.Seat_Spin, 2, 2);
        EXPECT_FALSE(d.Table_Spin->isVisible());
        EXPECT_EQ(d.Seat_Spin->value(), 7);
        // Seats above ten can be edited (random seating gives them).
        d.Seat_Spin->setValue(12);
        EXPECT_EQ(d.Cell(2, 2), QStringLiteral("12"));

        Click_Cell(d, 3, 1);
        Expect_Over_Cell(d, d.Table_Spin, 3, 1);
        EXPECT_FALSE(d.Seat_Spin->isVisible());
        EXPECT_EQ(d.Table_Spin->value(), 1);
        QTest::keyClick(d.Table_Spin, Qt::Key_Up);
        QTest::keyClick(d.Table_Spin, Qt::Key_Up);
        EXPECT_EQ(d.Cell(1, 3), QStringLiteral("3"));
        EXPECT_EQ(d.Table_Spin->maximum(), 10);

        // A click on a name hides both editors; the number of tables leaves
        // the grid alone.
        Click_Cell(d, 1, 0);
        d.Tables->setValue(6);
        EXPECT_EQ(d.Cell(1, 3), QStringLiteral("3"));
        EXPECT_EQ(d.Cell(1, 1), QStringLiteral("1"));

        // Nothing reaches the tournament before the dialog closes.
        EXPECT_EQ(form->Current_Tourney->Players[1].Seat, 6);
        d.Button2->click();
        EXPECT_FALSE(d.isVisible());
    });
    const CTourney& t = *form->Current_Tourney;
    EXPECT_EQ(t.Players[1].Seat, 11);
    EXPECT_EQ(t.Players[2].Table, 2);
    EXPECT_EQ(t.Players[0].Table, 0);
    // The entry file holds it and the lists were reloaded.
    const QByteArray plr = Plr();
    ASSERT_EQ(plr.size(), 96);
    EXPECT_EQ(plr.mid(32 + 24, 4), QByteArray::fromHex("0b000000")); // Bob's seat 11
    EXPECT_EQ(plr.mid(64 + 20, 4), QByteArray::fromHex("02000000")); // Cy's table 2
    EXPECT_EQ(List(2), QStringList{"12 Bob,Day"});
    EXPECT_EQ(List(3), QStringList{"2 Cy,Fox"});
    EXPECT_EQ(List(1), QStringList{"1 Ann,Lee"});
}

TEST_F(Seating_Test, EveryWayOfClosingStoresTheEntryFileEvenUnchanged)
{
    Prepare({{"Ann,Lee", 3, 2}});
    Start();
    const QByteArray stored = Plr();
    ASSERT_EQ(stored.size(), 32);
    const std::vector<std::function<void(TSeat_Form&)>> ways = {
        [](TSeat_Form& d) { d.Button2->click(); },
        [](TSeat_Form& d) { d.close(); },                                   // the close box
        [](TSeat_Form& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](TSeat_Form&) {},                                                 // closed by the host
    };
    for (const auto& close : ways) {
        QFile::remove(folder.data() + "Default.plr");
        In_Dialog(close);
        EXPECT_EQ(Plr(), stored);
    }
    EXPECT_TRUE(script.messages.empty());
    // Shown four times, the grid always starts afresh.
    In_Dialog([](TSeat_Form& d) { EXPECT_EQ(d.StringGrid1->rowCount(), 2); });
}

TEST_F(Seating_Test, RandomSeatingOf40PlayersAt5Tables)
{
    Prepare_Players(40);
    Start();
    const QDateTime press(QDate(2025, 6, 14), QTime(20, 15, 30, 120));
    std::vector<std::pair<QString, QString>> first_draw;
    In_Dialog([&](TSeat_Form& d) {
        d.Now = [&] { return press; };
        d.Tables->setValue(5);
        d.Random_Btn->click();
        for (int r = 1; r < d.PlayerRows; ++r)
            first_draw.emplace_back(d.Cell(1, r), d.Cell(2, r));
        // A second press within the same second draws the same seating.
        d.Now = [&] { return press.addMSecs(800); };
        d.Random_Btn->click();
        for (int r = 1; r < d.PlayerRows; ++r) {
            EXPECT_EQ(d.Cell(1, r), first_draw[static_cast<size_t>(r - 1)].first);
            EXPECT_EQ(d.Cell(2, r), first_draw[static_cast<size_t>(r - 1)].second);
        }
    });
    // The seating drawn is the model's draw for that second and 5 tables.
    const std::vector<Seat_Assignment> expected = Draw_Seating(40, 5, Seating_Seed(press));
    std::map<int, std::set<int>> seats;
    for (int j = 0; j < 40; ++j) {
        const CTourneyPlayer& e = form->Current_Tourney->Players[j];
        EXPECT_EQ(e.Table, expected[static_cast<size_t>(j)].Table);
        EXPECT_EQ(e.Seat, expected[static_cast<size_t>(j)].Seat);
        EXPECT_EQ(first_draw[static_cast<size_t>(j)].first, QString::number(e.Table + 1));
        seats[e.Table].insert(e.Seat);
    }
    ASSERT_EQ(seats.size(), 5u);
    for (const auto& [table, taken] : seats) {
        EXPECT_EQ(taken, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7})) << "table " << table;
        EXPECT_EQ(List(table + 1).size(), 8);
    }
    EXPECT_TRUE(List(6).isEmpty());
    EXPECT_EQ(Plr().size(), 40 * 32);
}

TEST_F(Seating_Test, ReportCommandsWriteTheirPageAndOpenIt)
{
    QDir().mkpath(folder.data());
    CPlayer p;
    Set_Field(p.First, Player_Text_Size, QStringLiteral("Ann"));
    Set_Field(p.Last, Player_Text_Size, QStringLiteral("Lee"));
    Set_Field(p.Phone, Player_Text_Size, QStringLiteral("555-0101"));
    ASSERT_TRUE(Player_DB.Add(p));
    Prepare({{"Ann,Lee", 0, 6}});
    Start();

    EXPECT_TRUE(form->ContactList1->isEnabled());
    EXPECT_EQ(form->ContactList1->text(), QStringLiteral("Contact List"));
    EXPECT_EQ(form->Top10Results1->text(), QStringLiteral("Top 10 Results"));
    EXPECT_EQ(form->SeatingReport1->text(), QStringLiteral("Seating Report"));

    const QString reports = folder.path() + "Reports/";
    form->ContactList1->trigger();
    form->Top10Results1->trigger();
    form->SeatingReport1->trigger();
    form->Button2->click();
    EXPECT_EQ(script.shell_opened, (QStringList{reports + "Contact.htm", reports + "Top10.htm",
                                                 reports + "Seating.htm", reports + "Seating.htm"}));
    EXPECT_TRUE(folder.Read("Reports/Contact.htm").contains("<tr><td>Ann,Lee</td><td>555-0101</td></tr>\r\n"));
    EXPECT_TRUE(folder.Read("Reports/Top10.htm").contains("<tr><td>1</td><td>Still Playing</td></tr>\r\n"));
    EXPECT_TRUE(folder.Read("Reports/Seating.htm").contains("<tr><td> 7</td><td>Ann,Lee</td></tr>\r\n"));
    EXPECT_TRUE(script.messages.empty());

    // A page that cannot be written: the error is told and nothing opens.
    script.shell_opened.clear();
    QFile::setPermissions(reports, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    form->Create_Top10->trigger();
    QFile::setPermissions(reports, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "Unable to write to " + reports + "Top10.htm");
    EXPECT_TRUE(script.shell_opened.isEmpty());

    // No program can open a page: the menu says where it was written.
    script.shell_open_result = false;
    form->Top10Results1->trigger();
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_TRUE(script.messages[1].text.endsWith("\n" + reports + "Top10.htm")) << script.messages[1].text.toStdString();
}

} // namespace
