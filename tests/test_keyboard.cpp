// The clock's keys: Space, Page Up, Page Down and Ctrl+R run the clock's
// commands wherever the keyboard is (a text box keeps only Space), in the
// main window and in the players' display; the hints and the View menu name
// them.
#include "Display_fixture.h"

#include "forms/widgets/Spin_box.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class Keyboard_Test : public Display_Fixture {
protected:
    void SetUp() override
    {
        Start_Tourney(QByteArray(), 20);
        form->show();
    }
    bool Running() const { return form->Clock.Paused == 0; }
};

TEST_F(Keyboard_Test, KeysRunTheClockCommandsWhereNothingTakesTyping)
{
    // The focus on a button: Space runs the clock, it does not press the button.
    form->BitBtn2->setFocus();
    QTest::keyClick(form->BitBtn2, Qt::Key_Space);
    EXPECT_TRUE(Running());
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Stop"));
    Tick(3);
    EXPECT_EQ(Shown_Time(), QStringLiteral("19:57"));
    QTest::keyClick(form->BitBtn2, Qt::Key_Space);
    EXPECT_FALSE(Running());
    EXPECT_EQ(Shown_Time(), QStringLiteral("19:57")); // stopping keeps the time

    QTest::keyClick(form->BitBtn2, Qt::Key_PageUp);
    QTest::keyClick(form->BitBtn2, Qt::Key_PageUp);
    EXPECT_EQ(form->CurrentLevel, 2);
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("20"));
    QTest::keyClick(form->BitBtn2, Qt::Key_PageDown);
    EXPECT_EQ(form->CurrentLevel, 1);

    // The read-only tournament name takes no typing either.
    form->Tourney_Name->setFocus();
    QTest::keyClick(form->Tourney_Name, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Shown_Time(), QStringLiteral("20:00"));
    // Ctrl+R while running does nothing, as the Reset button.
    QTest::keyClick(form->Tourney_Name, Qt::Key_Space);
    Tick();
    QTest::keyClick(form->Tourney_Name, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Shown_Time(), QStringLiteral("19:59"));
}

TEST_F(Keyboard_Test, TextBoxesKeepSpaceAndNothingElse)
{
    form->SpeedButton5->click(); // Blinds page
    form->Warning_Edit->setFocus();
    form->Warning_Edit->clear();
    QTest::keyClicks(form->Warning_Edit, "a b");
    EXPECT_EQ(form->Warning_Edit->text(), QStringLiteral("a b"));
    EXPECT_FALSE(Running());
    QTest::keyClick(form->Warning_Edit, Qt::Key_PageUp);
    EXPECT_EQ(form->CurrentLevel, 1);

    // A number box takes none of them, Space included.
    form->Timer_Spin->setFocus();
    const int minutes = form->Timer_Spin->Value();
    QTest::keyClick(form->Timer_Spin, Qt::Key_PageDown);
    QTest::keyClick(form->Timer_Spin, Qt::Key_Space);
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_EQ(form->Timer_Spin->Value(), minutes);
    EXPECT_TRUE(Running());
}

TEST_F(Keyboard_Test, AHeldKeyDoesNotRepeatItsCommand)
{
    form->BitBtn1->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(form->BitBtn1, &press);
    for (int i = 0; i < 5; ++i)
        QApplication::sendEvent(form->BitBtn1, &repeat);
    EXPECT_EQ(form->CurrentLevel, 1);
}

TEST_F(Keyboard_Test, TheDisplayTakesTheKeysAlways)
{
    TPlayers_Display* d = Open_Display();
    form->SpeedButton5->click();
    form->Warning_Edit->setFocus(); // the main window's focus does not matter here
    QTest::keyClick(d, Qt::Key_Space);
    EXPECT_TRUE(Running());
    Tick(5);
    QTest::keyClick(d, Qt::Key_Space);
    QTest::keyClick(d, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Shown_Time(), QStringLiteral("20:00"));
    QTest::keyClick(d, Qt::Key_PageUp);
    EXPECT_EQ(d->Facts().level, 2);
    QTest::keyClick(d, Qt::Key_PageDown);
    QTest::keyClick(d, Qt::Key_PageDown); // at level 1 it stays there
    EXPECT_EQ(d->Facts().level, 1);
}

TEST_F(Keyboard_Test, HintsAndTheViewMenuNameTheKeys)
{
    EXPECT_EQ(form->BitBtn1->toolTip(), QStringLiteral("Start/Stop Blind Timer (Space)"));
    form->Toggle_Start->trigger(); // the caption changes, the hint stays
    EXPECT_EQ(form->BitBtn1->toolTip(), QStringLiteral("Start/Stop Blind Timer (Space)"));
    EXPECT_EQ(form->BitBtn2->toolTip(), QStringLiteral("Reset Blind Timer (Ctrl+R)"));
    EXPECT_EQ(form->NextBlind_Btn->toolTip(), QStringLiteral("Advance Blind Level (Page Up)"));
    EXPECT_EQ(form->PrevBlind_Btn->toolTip(), QStringLiteral("Previous Blind Level (Page Down)"));
    EXPECT_TRUE(form->StartStop1->text().endsWith(QStringLiteral("\tSpace")));
    EXPECT_TRUE(form->NextLevel1->text().endsWith(QStringLiteral("\tPage Up")));
    EXPECT_TRUE(form->PrevLevel1->text().endsWith(QStringLiteral("\tPage Down")));
    EXPECT_TRUE(form->ResetLevel1->text().endsWith(QStringLiteral("\tCtrl+R")));
    // The menu items run the same commands.
    form->NextLevel1->trigger();
    EXPECT_EQ(form->CurrentLevel, 1);
    form->StartStop1->trigger();
    EXPECT_FALSE(Running());
}

} // namespace
