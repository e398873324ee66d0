// The Action page's in/out grid and the finishing places it hands out,
// driven through the grid, its chooser and the Players page.
#include "Main_window_test.h"
#include "Roster_data.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

namespace {

using Entries = QList<std::pair<QString, int>>;

class In_Out_Test : public Main_Window_Test {
protected:
    void Open(const Entries& entries, int out)
    {
        folder.Write("Data/Default.trn", QStringLiteral("[Players]\nTotal=%1\nOut=%2\n").arg(entries.size()).arg(out).toUtf8());
        folder.Write("Data/Default.plr", Entry_File(entries));
        Start();
        form->show();
    }
    QTableWidget* Grid() const { return form->All_Grid; }
    QString Text(int row, int column) const
    {
        const QTableWidgetItem* item = Grid()->item(row, column);
        return item ? item->text() : QString();
    }
    void Click_Cell(int row, int column)
    {
        QTableWidgetItem* item = Grid()->item(row, column);
        ASSERT_NE(item, nullptr);
        Grid()->scrollToItem(item);
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, Qt::NoModifier, Grid()->visualItemRect(item).center());
    }
    // Types into the chooser as the operator does, replacing what it shows.
    void Type(const QString& text)
    {
        if (!form->IO_Combo1->isVisible())
            Click_Cell(Grid()->currentRow(), 1);
        form->IO_Combo1->lineEdit()->selectAll();
        QTest::keyClicks(form->IO_Combo1->lineEdit(), text);
    }
    // Types and presses Enter.
    void Enter(const QString& text)
    {
        Type(text);
        QTest::keyClick(form->IO_Combo1->lineEdit(), Qt::Key_Return);
    }
    Entries Plr() const { return Entries_Of(folder.Read("Data/Default.plr")); }
    QString Trn() const { return QString::fromUtf8(folder.Read("Data/Default.trn")); }
};

TEST_F(In_Out_Test, GridListsTheEntriesInEntryOrderUnderAGreenHeader)
{
    Open({{"Zed,Ray", 0}, {"Al,Bo", 3}, {"Cy,Oh", 0}}, 2);
    EXPECT_EQ(Grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Name"));
    EXPECT_EQ(Grid()->horizontalHeaderItem(1)->text(), QStringLiteral("In/Out"));
    EXPECT_EQ(Grid()->toolTip(), QStringLiteral("Click on player to remove from play"));
    ASSERT_EQ(Grid()->rowCount(), 3);
    EXPECT_EQ(Text(0, 0), QStringLiteral("Zed,Ray"));
    EXPECT_EQ(Text(1, 0), QStringLiteral("Al,Bo"));
    EXPECT_EQ(Text(2, 0), QStringLiteral("Cy,Oh"));
    EXPECT_EQ(Text(0, 1), QStringLiteral("In"));
    EXPECT_EQ(Text(1, 1), QStringLiteral("Out"));
    EXPECT_EQ(Text(2, 1), QStringLiteral("In"));
    EXPECT_EQ(Grid()->item(0, 0)->background().color(), QColor(192, 220, 192));
    EXPECT_FALSE(Grid()->item(0, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_FALSE(form->IO_Combo1->isVisible());
    // The grid and the room for the chip values share the lower part of the page.
    EXPECT_EQ(Grid()->geometry(), QRect(10, 368, 230, 260));
    EXPECT_EQ(Grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(Grid()->horizontalHeader()->length(), Grid()->viewport()->width()); // no sideways scrolling

    // With no players: the header and one empty row.
    Finish();
    folder.Write("Data/Default.plr", QByteArray());
    Start();
    EXPECT_EQ(Grid()->rowCount(), 1);
    EXPECT_TRUE(Text(0, 0).isEmpty());
    EXPECT_TRUE(Text(0, 1).isEmpty());
}

TEST_F(In_Out_Test, ChooserFloatsOverTheClickedStateCellOnly)
{
    Open({{"Ann,Lee", 0}, {"Bob,Day", 2}}, 1);
    Click_Cell(1, 1);
    QComboBox* chooser = form->IO_Combo1;
    ASSERT_TRUE(chooser->isVisible());
    EXPECT_TRUE(chooser->isEditable());
    EXPECT_EQ(chooser->count(), 2);
    EXPECT_EQ(chooser->itemText(0), QStringLiteral("In"));
    EXPECT_EQ(chooser->itemText(1), QStringLiteral("Out"));
    EXPECT_EQ(chooser->currentText(), QStringLiteral("Out"));
    const QRect cell = Grid()->visualItemRect(Grid()->item(1, 1));
    const QPoint cell_top_left = Grid()->viewport()->mapTo(form->Action_Sheet, cell.topLeft());
    EXPECT_EQ(chooser->geometry().topLeft(), cell_top_left);
    EXPECT_EQ(chooser->width(), cell.width());
    // Showing the state of a cell changes no place.
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 0}, {"Bob,Day", 2}}));

    Click_Cell(0, 1);
    EXPECT_EQ(chooser->currentText(), QStringLiteral("In"));
    EXPECT_EQ(chooser->y(), Grid()->viewport()->mapTo(form->Action_Sheet, Grid()->visualItemRect(Grid()->item(0, 1)).topLeft()).y());
    Click_Cell(0, 0);
    EXPECT_FALSE(chooser->isVisible());
}

TEST_F(In_Out_Test, OnlyTheExactWordOutMarksAPlayerOut)
{
    Open({{"Ann,Lee", 0}, {"Bob,Day", 0}, {"Cy,Oh", 0}}, 3);
    Click_Cell(1, 1);
    // Typing changes nothing until the choice is made.
    Type("Ou");
    EXPECT_EQ(Text(1, 1), QStringLiteral("In"));
    EXPECT_EQ(form->Current_Tourney->Out, 3);
    Enter("Out");
    EXPECT_EQ(Text(1, 1), QStringLiteral("Out"));
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 0}, {"Bob,Day", 3}, {"Cy,Oh", 0}}));
    EXPECT_EQ(form->Current_Tourney->Out, 2);

    // Out again for a player who is out changes nothing.
    Choose("Out");
    Enter("Out");
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 0}, {"Bob,Day", 3}, {"Cy,Oh", 0}}));
    EXPECT_EQ(form->Current_Tourney->Out, 2);

    // "out" in lower case counts as In: Bob is back in.
    Enter("out");
    EXPECT_EQ(Text(1, 1), QStringLiteral("out"));
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 0}, {"Bob,Day", 0}, {"Cy,Oh", 0}}));
    EXPECT_EQ(form->Current_Tourney->Out, 3);
    // The cell shows what was typed until the grid is rebuilt.
    form->SpeedButton4->click();
    form->SpeedButton3->click();
    EXPECT_EQ(Text(1, 1), QStringLiteral("In"));
}

TEST_F(In_Out_Test, TheLastPlayerOutWins)
{
    Open({{"Ann,Lee", 0}}, 1);
    Click_Cell(0, 1);
    Choose("Out");
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 1}}));
    EXPECT_TRUE(Trn().contains("Out=1\n")); // Out reaches the file at the next save
    form->SpeedButton4->click();
    EXPECT_TRUE(Trn().contains("Out=0\n"));
}

// The host knocks a player out and at once presses the clock's keys: the
// chooser is gone, the keys reach the clock and the player stays out.
TEST_F(In_Out_Test, TheClockKeysRightAfterAKnockOutMoveTheClockOnly)
{
    Open({{"Ann,Lee", 0}, {"Bob,Day", 0}, {"Cy,Oh", 0}}, 3);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Click_Cell(1, 1);
    form->IO_Combo1->setFocus();
    Choose("Out");
    EXPECT_FALSE(form->IO_Combo1->isVisible());
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 0}, {"Bob,Day", 3}, {"Cy,Oh", 0}}));
    QWidget* keys = QApplication::focusWidget();
    ASSERT_NE(keys, nullptr);
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space})
        QTest::keyClick(keys, key);
    EXPECT_EQ(form->CurrentLevel, 1);
    EXPECT_EQ(form->Clock.Paused, 0);
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 0}, {"Bob,Day", 3}, {"Cy,Oh", 0}}));
    EXPECT_EQ(Text(1, 1), QStringLiteral("Out"));
    // Even a chooser left open by typing gives the keys to the clock.
    Click_Cell(2, 1);
    QTest::keyClick(form->IO_Combo1->lineEdit(), Qt::Key_PageUp);
    EXPECT_EQ(form->CurrentLevel, 2);
    EXPECT_EQ(form->IO_Combo1->currentText(), QStringLiteral("In"));
}

TEST_F(In_Out_Test, APageSwitchRebuildsTheGridFromTheStoredPlaces)
{
    Open({{"Ann,Lee", 0}, {"Bob,Day", 0}, {"Cy,Oh", 0}, {"Di,Fu", 0}}, 4);
    Click_Cell(2, 1);
    Choose("Out");
    Click_Cell(0, 1);
    Choose("Out");
    form->SpeedButton5->click();
    form->SpeedButton3->click();
    EXPECT_FALSE(form->IO_Combo1->isVisible());
    EXPECT_EQ(Text(0, 1), QStringLiteral("Out"));
    EXPECT_EQ(Text(1, 1), QStringLiteral("In"));
    EXPECT_EQ(Text(2, 1), QStringLiteral("Out"));
    EXPECT_EQ(Text(3, 1), QStringLiteral("In"));
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 3}, {"Bob,Day", 0}, {"Cy,Oh", 4}, {"Di,Fu", 0}}));
    EXPECT_TRUE(Trn().contains("Out=2\n"));
}

TEST_F(In_Out_Test, AKnockOutThatCannotBeStoredIsNotShown)
{
    Open({{"Ann,Lee", 0}, {"Bob,Day", 0}}, 2);
    Click_Cell(0, 1);
    QFile::setPermissions(folder.data(), QFile::ReadOwner | QFile::ExeOwner);
    Choose("Out");
    QFile::setPermissions(folder.data(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("Unable to write to"));
    EXPECT_EQ(Text(0, 1), QStringLiteral("In"));
    EXPECT_EQ(form->Current_Tourney->Out, 2);
    EXPECT_EQ(form->Current_Tourney->Players[0].Place, 0);
    // The chooser showing "Out" is gone: the screen shows what the file holds,
    // and choosing "Out" again stores the knock-out.
    EXPECT_FALSE(form->IO_Combo1->isVisible());
    Click_Cell(0, 1);
    EXPECT_EQ(form->IO_Combo1->currentText(), QStringLiteral("In"));
    script.answers.push_back(Answer::Cancel); // Bob, the last one in, is not recorded as the winner yet
    Choose("Out");
    EXPECT_EQ(Plr(), (Entries{{"Ann,Lee", 2}, {"Bob,Day", 0}}));
    EXPECT_EQ(Text(0, 1), QStringLiteral("Out"));
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_TRUE(script.messages[1].text.endsWith(QStringLiteral("as the winner?")));
}

// Correcting the chooser by one keystroke, or leaving it after typing, must
// not reorder the results: only the final text counts.
TEST_F(In_Out_Test, KeystrokesInTheChooserNeverReorderTheResults)
{
    const Entries start{{"A,a", 5}, {"B,b", 4}, {"C,c", 0}, {"D,d", 0}, {"E,e", 0}};
    Open(start, 3);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    Click_Cell(0, 1);
    QLineEdit* typed = form->IO_Combo1->lineEdit();
    typed->setFocus();
    QTest::keyClick(typed, Qt::Key_End);
    QTest::keyClick(typed, Qt::Key_Backspace); // "Ou"
    EXPECT_EQ(Plr(), start);
    QTest::keyClick(typed, Qt::Key_T);         // "Out" again
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_EQ(Plr(), start);
    EXPECT_EQ(form->Current_Tourney->Out, 3);

    // Typing "I", "In" and leaving the chooser for another cell puts A back
    // in once; the cell that is left shows the choice.
    Click_Cell(2, 1);
    Click_Cell(0, 1);
    typed->setFocus();
    Type("In");
    EXPECT_EQ(Plr(), start);
    Click_Cell(3, 0);
    EXPECT_EQ(Plr(), (Entries{{"A,a", 0}, {"B,b", 5}, {"C,c", 0}, {"D,d", 0}, {"E,e", 0}}));
    EXPECT_EQ(form->Current_Tourney->Out, 4);
    EXPECT_EQ(Text(0, 1), QStringLiteral("In"));
    EXPECT_FALSE(form->IO_Combo1->isVisible());
    EXPECT_TRUE(script.messages.empty());
}

// Two players whose names differ only at the end are told apart on the grid.
TEST_F(In_Out_Test, EveryNameShowsWholeWithItsTooltip)
{
    const QStringList names = {"Alexandra,Whitfield", "Alexandra,Whitmore", "WWWWWWWWW,WWWWWWWWW", "Al,Bo"};
    Entries entries;
    for (const QString& n : names)
        entries << std::pair{n, 0};
    Open(entries, 4);
    const int room = Grid()->columnWidth(0);
    for (int row = 0; row < names.size(); ++row) {
        const QTableWidgetItem* item = Grid()->item(row, 0);
        EXPECT_EQ(item->toolTip(), names[row]);
        const QFontMetrics shown(item->font());
        EXPECT_LE(shown.horizontalAdvance(names[row]) + 8, room) << names[row].toStdString();
    }
    // Short names keep the large type, read across the room.
    EXPECT_EQ(Grid()->item(3, 0)->font().pixelSize(), 15);
}

// Five players A to E through knock-outs, a comeback, a late entry and two
// withdrawals, all through the windows.
TEST_F(In_Out_Test, FinishingPlacesFollowTheRoomThroughEveryWindow)
{
    for (const char* first : {"A", "B", "C", "D", "E", "F"})
        Store_Player(QString::fromLatin1(first), QStringLiteral("X"));
    Start();
    form->show();
    form->SpeedButton4->click();
    Click_Item(form->Available_List, "A,X");
    Click_Item(form->Available_List, "E,X", Qt::ShiftModifier);
    form->SpeedButton1->click();
    EXPECT_TRUE(Trn().contains("Out=5\n"));

    form->SpeedButton3->click();
    ASSERT_EQ(Grid()->rowCount(), 5);
    const auto knock = [&](int row, const char* state) {
        Click_Cell(row, 1);
        Choose(QString::fromLatin1(state));
    };
    knock(0, "Out"); // A
    EXPECT_EQ(Plr()[0].second, 5);
    EXPECT_TRUE(Trn().contains("Out=5\n"));
    knock(1, "Out"); // B
    knock(2, "Out"); // C
    knock(1, "In");  // B comes back
    EXPECT_EQ(Plr(), (Entries{{"A,X", 5}, {"B,X", 0}, {"C,X", 4}, {"D,X", 0}, {"E,X", 0}}));
    EXPECT_EQ(form->Current_Tourney->Out, 3);

    form->SpeedButton4->click();
    EXPECT_TRUE(Trn().contains("Out=3\n"));
    Double_Click_Item(form->Available_List, "F,X");
    EXPECT_EQ(Plr(), (Entries{{"A,X", 6}, {"B,X", 0}, {"C,X", 5}, {"D,X", 0}, {"E,X", 0}, {"F,X", 0}}));
    EXPECT_TRUE(Trn().contains("Out=4\n"));

    Double_Click_Item(form->Playing_List, "D,X"); // still in
    EXPECT_EQ(Plr(), (Entries{{"A,X", 5}, {"B,X", 0}, {"C,X", 4}, {"E,X", 0}, {"F,X", 0}}));
    EXPECT_TRUE(Trn().contains("Out=3\n"));
    Double_Click_Item(form->Playing_List, "C,X"); // out, place 4
    EXPECT_EQ(Plr(), (Entries{{"A,X", 4}, {"B,X", 0}, {"E,X", 0}, {"F,X", 0}}));
    EXPECT_TRUE(Trn().contains("Out=3\n"));

    form->SpeedButton3->click();
    ASSERT_EQ(Grid()->rowCount(), 4);
    EXPECT_EQ(Text(0, 1), QStringLiteral("Out"));
    for (int row = 1; row < 4; ++row)
        EXPECT_EQ(Text(row, 1), QStringLiteral("In"));
    EXPECT_EQ(script.messages.size(), 2u); // the two removal questions
}

} // namespace
