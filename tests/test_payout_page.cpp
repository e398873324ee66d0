// The payout calculator: amounts, their sum and its colour, exactly as the
// arithmetic gives them; what reaches the record; loading with the
// recalculation held off.
#include "Main_window_test.h"

#include "forms/widgets/Spin_box.h"

#include "model/Money.h"

#include <QLocale>
#include <QToolButton>
#include <vector>

namespace {

const QColor Money_Green(192, 220, 192);
const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);

class Payout_Page_Test : public Main_Window_Test {
protected:
    QString Trn() const { return QString::fromLatin1(folder.Read("Data/Default.trn")); }
    void Show_Payout_Page()
    {
        form->SpeedButton7->click();
        form->Timer2Timer();
    }
    // Sets the percentages (the rest 0) and the pool, then lets the page's
    // timer tick.
    void Enter(const QString& pool, std::vector<int> percents)
    {
        percents.resize(Prize_Count, 0);
        for (int i = 0; i < Prize_Count; ++i)
            form->Per[i]->setValue(percents[size_t(i)]);
        form->Prize_Pool->setText(pool);
        form->Timer2Timer();
    }
    QString Amounts() const
    {
        QStringList a;
        for (QLineEdit* box : form->Pay)
            a << box->text();
        return a.join(QLatin1Char(' '));
    }
};

TEST_F(Payout_Page_Test, ControlsAndFirstState)
{
    Start();
    EXPECT_EQ(form->Prize_Pool->font().pointSize(), 48);
    EXPECT_EQ(form->Check_Payout->font().pointSize(), 48);
    EXPECT_TRUE(form->Prize_Pool->alignment() & Qt::AlignRight);
    EXPECT_TRUE(form->Check_Payout->isReadOnly());
    const char* const names[] = {"First", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th"};
    for (int i = 0; i < Prize_Count; ++i) {
        EXPECT_EQ(form->Per[i]->objectName(), QStringLiteral("Per_") + QLatin1String(names[i]));
        EXPECT_EQ(form->Pay[i]->objectName(), QStringLiteral("Pay_") + QLatin1String(names[i]));
        EXPECT_EQ(form->Per[i]->maximum(), 100);
        EXPECT_EQ(form->Per[i]->toolTip(), QStringLiteral("Adjust Payout Percentages"));
        EXPECT_EQ(form->Pay[i]->palette().color(QPalette::Base), Money_Green);
        EXPECT_EQ(form->Pay[i]->focusPolicy(), Qt::NoFocus);
    }
    // A new tournament has no pool: nothing was computed, the first texts stay.
    EXPECT_TRUE(form->Update_Payout->isEnabled());
    EXPECT_EQ(form->Prize_Pool->text(), QStringLiteral("0"));
    EXPECT_EQ(form->Check_Payout->text(), QStringLiteral("100"));
    EXPECT_EQ(Amounts(), QStringLiteral("         "));
}

TEST_F(Payout_Page_Test, AmountsSumsAndColoursOfTheWorkedExamples)
{
    Start();
    Show_Payout_Page();
    const struct {
        const char* pool;
        std::vector<int> percents;
        const char* amounts;
        const char* sum;
        QColor colour;
    } examples[] = {
        {"100", {50, 30, 20}, "50 30 20 0 0 0 0 0 0 0", "100", Money_Green},
        {"250", {35, 65}, "87.5 162.5 0 0 0 0 0 0 0 0", "250", Money_Green},
        {"333", {33, 33, 34}, "109.89 109.89 113.22 0 0 0 0 0 0 0", "333", Money_Green},
        {"100", {50, 30}, "50 30 0 0 0 0 0 0 0 0", "80", White},
        {"100", {60, 50}, "60 50 0 0 0 0 0 0 0 0", "110", Red},
        // Exact to the cent: the pool is not taken through single precision.
        {"1234.56", {50, 50}, "617.28 617.28 0 0 0 0 0 0 0 0", "1234.56", Money_Green},
        {"30.3", {50, 50}, "15.15 15.15 0 0 0 0 0 0 0 0", "30.3", Money_Green},
        {"100", {}, "0 0 0 0 0 0 0 0 0 0", "0", White},
        {"1000", {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, "100 100 100 100 100 100 100 100 100 100", "1000", Money_Green},
    };
    for (const auto& e : examples) {
        Enter(QString::fromLatin1(e.pool), e.percents);
        EXPECT_EQ(Amounts(), QLatin1String(e.amounts)) << e.pool;
        EXPECT_EQ(form->Check_Payout->text(), QLatin1String(e.sum)) << e.pool;
        EXPECT_EQ(form->Check_Payout_Colour(), e.colour) << e.pool;
    }
    EXPECT_TRUE(script.messages.empty());
}

// Shares finer than a cent are shown as they are; their sum is the pool, so
// nothing turns red; what is typed is in the file at once, and a pool that is
// no amount says why.
TEST_F(Payout_Page_Test, SharesAreExactTheFileFollowsAtOnceAndABadPoolSaysWhy)
{
    Start();
    Show_Payout_Page();
    Enter(QStringLiteral("1234.56"), {33, 33, 34});
    EXPECT_EQ(Amounts(), QStringLiteral("407.4048 407.4048 419.7504 0 0 0 0 0 0 0"));
    EXPECT_EQ(form->Check_Payout->text(), QStringLiteral("1234.56"));
    EXPECT_EQ(form->Check_Payout_Colour(), Money_Green);
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Prizes]\nTotal=1234.56005859375\n"))) << Trn().toStdString();
    EXPECT_TRUE(Trn().contains(QStringLiteral("Prize 2=34\n")));
    form->Prize_Pool->setText(QStringLiteral("123456789.01"));
    EXPECT_TRUE(Trn().contains(QStringLiteral("\nPool=123456789.01\n"))) << Trn().toStdString();
    form->Prize_Pool->setText(QStringLiteral("-500"));
    EXPECT_FALSE(form->Prize_Pool->toolTip().isEmpty());
    EXPECT_EQ(Pool_Of(*form->Current_Tourney), Money_Amount::Of_Cents(12345678901));
}

// Percentages reach the file whenever the pages are stored: changed just
// before leaving the page, or typed while there is no pool yet.
TEST_F(Payout_Page_Test, PercentagesAreStoredWithThePagesWhateverThePool)
{
    Start();
    Show_Payout_Page();
    ASSERT_EQ(form->Prize_Pool->text(), QStringLiteral("0"));
    form->Per[0]->setValue(50);
    form->Per[1]->setValue(30);
    form->SpeedButton3->click(); // no tick of the payout timer in between
    EXPECT_TRUE(Trn().contains(QStringLiteral("Prize 0=50\nPrize 1=30\nPrize 2=0\n")));
    EXPECT_EQ(form->Per[1]->text(), QStringLiteral("30"));

    Show_Payout_Page();
    form->Prize_Pool->setText(QStringLiteral("abc"));
    form->Per[2]->setValue(20);
    form->Timer2Timer();
    Finish(); // closing stores them too
    EXPECT_TRUE(Trn().contains(QStringLiteral("Prize 0=50\nPrize 1=30\nPrize 2=20\n")));

    // With a pool, one changed within the half second is not lost either; the
    // amounts are those of the last recalculation until the next one.
    Start();
    Show_Payout_Page();
    Enter(QStringLiteral("100"), {50, 30, 20});
    form->Per[0]->setValue(40);
    form->Per[3]->setValue(10);
    form->SpeedButton6->click();
    EXPECT_TRUE(Trn().contains(QStringLiteral("Prize 0=40\nPrize 1=30\nPrize 2=20\nPrize 3=10\n")));
    Show_Payout_Page();
    EXPECT_EQ(Amounts(), QStringLiteral("40 30 20 10 0 0 0 0 0 0"));
}

TEST_F(Payout_Page_Test, PoolAndPercentagesReachTheRecordAndTheFile)
{
    Start();
    Show_Payout_Page();
    Enter(QStringLiteral("1234.56"), {50, 30, 20});
    EXPECT_EQ(form->Current_Tourney->Prize_Total, 1234.56f);
    EXPECT_EQ(form->Current_Tourney->Prize[1], 30.0f);
    form->SpeedButton3->click();
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Prizes]\nTotal=1234.56005859375\nPrize 0=50\nPrize 1=30\nPrize 2=20\n"
                                              "Prize 3=0\n")));
    // The reload shows the pool as typed.
    EXPECT_EQ(form->Prize_Pool->text(), QStringLiteral("1234.56"));
    EXPECT_EQ(form->Per[0]->text(), QStringLiteral("50"));
}

TEST_F(Payout_Page_Test, PoolThatIsZeroOrNotANumberChangesNothing)
{
    Start();
    Show_Payout_Page();
    Enter(QStringLiteral("100"), {60, 50});
    ASSERT_EQ(form->Check_Payout->text(), QStringLiteral("110"));

    // Pool "0": stored, then nothing further; Prize keeps what it had.
    form->Per[0]->setValue(10);
    form->Prize_Pool->setText(QStringLiteral("0"));
    form->Timer2Timer();
    EXPECT_EQ(form->Current_Tourney->Prize_Total, 0.0f);
    EXPECT_EQ(form->Current_Tourney->Prize[0], 60.0f);
    EXPECT_EQ(Amounts(), QStringLiteral("60 50 0 0 0 0 0 0 0 0"));
    EXPECT_EQ(form->Check_Payout_Colour(), Red);

    // "abc" and an empty pool: no message, the pool and the page keep their values.
    Enter(QStringLiteral("100"), {60, 50});
    for (const char* text : {"abc", "", "1,5", "1e999"}) {
        form->Per[0]->setValue(20);
        form->Prize_Pool->setText(QString::fromLatin1(text));
        form->Timer2Timer();
        EXPECT_EQ(form->Current_Tourney->Prize_Total, 100.0f) << text;
        EXPECT_EQ(Amounts(), QStringLiteral("60 50 0 0 0 0 0 0 0 0")) << text;
        EXPECT_EQ(form->Check_Payout->text(), QStringLiteral("110")) << text;
    }
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(Payout_Page_Test, PercentagesCountAtTheNextTickOfThePayoutPageOrAtOnceWithThePool)
{
    Start();
    Show_Payout_Page();
    Enter(QStringLiteral("200"), {50, 50});
    form->Per[1]->setValue(25);
    EXPECT_EQ(form->Pay[1]->text(), QStringLiteral("100"));
    form->Timer2Timer();
    EXPECT_EQ(form->Pay[1]->text(), QStringLiteral("50"));
    EXPECT_EQ(form->Check_Payout_Colour(), White);

    // On another page the timer leaves it alone; the pool's change does not.
    form->SpeedButton5->click();
    form->Per[1]->setValue(30);
    form->Timer2Timer();
    EXPECT_EQ(form->Pay[1]->text(), QStringLiteral("50"));
    form->Prize_Pool->setText(QStringLiteral("400"));
    EXPECT_EQ(Amounts(), QStringLiteral("200 120 0 0 0 0 0 0 0 0"));

    // A percentage that is not a whole number pays 0 and is reset.
    form->Per[2]->Set_Text(QStringLiteral("ten"));
    form->Prize_Pool->setText(QStringLiteral("300"));
    EXPECT_EQ(form->Per[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->Pay[2]->text(), QStringLiteral("0"));
}

TEST_F(Payout_Page_Test, StoredPercentageThatIsNotAWholeNumberIsShownThenResetByTheRecalculation)
{
    folder.Write("Data/Default.trn", "[Prizes]\nTotal=200\nPrize 0=50\nPrize 1=16.5\nPrize 2=33.5\n");
    Start();
    EXPECT_EQ(form->Per[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->Pay[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->Current_Tourney->Prize[2], 0.0f);
    EXPECT_EQ(Amounts(), QStringLiteral("100 0 0 0 0 0 0 0 0 0"));

    // Without a pool nothing is recalculated and the stored text stays in view.
    folder.Write("Data/Zero.trn", "[Prizes]\nTotal=0\nPrize 2=33.5\n");
    script.files = {folder.data() + "Zero.trn"};
    form->Open_Tourney->trigger();
    EXPECT_EQ(form->Per[2]->text(), QStringLiteral("33.5"));
}

TEST_F(Payout_Page_Test, AnotherTournamentShowsItsOwnPercentages)
{
    folder.Write("Data/Default.trn", "[Prizes]\nTotal=100\nPrize 0=50\nPrize 1=30\nPrize 2=20\n");
    folder.Write("Data/Second.trn", "[Prizes]\nTotal=500\nPrize 0=70\nPrize 1=30\n");
    Start();
    EXPECT_EQ(Amounts(), QStringLiteral("50 30 20 0 0 0 0 0 0 0"));
    script.files = {folder.data() + "Second.trn"};
    form->Open_Tourney->trigger();
    EXPECT_EQ(form->Per[0]->text(), QStringLiteral("70"));
    EXPECT_EQ(form->Per[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(form->Current_Tourney->Prize[0], 70.0f);
    EXPECT_EQ(form->Current_Tourney->Prize[2], 0.0f);
    EXPECT_EQ(Amounts(), QStringLiteral("350 150 0 0 0 0 0 0 0 0"));
    EXPECT_EQ(form->Check_Payout_Colour(), Money_Green);
    // The first tournament was saved as it was when it was left.
    const QString first = QString::fromLatin1(folder.Read("Data/Default.trn"));
    EXPECT_TRUE(first.contains(QStringLiteral("Prize 0=50\nPrize 1=30\nPrize 2=20\n")));
}

TEST_F(Payout_Page_Test, AmountsUseTheUsersDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Start();
    Show_Payout_Page();
    Enter(QStringLiteral("1234,56"), {50, 50});
    EXPECT_EQ(form->Pay[0]->text(), QStringLiteral("617,28"));
    EXPECT_EQ(form->Check_Payout->text(), QStringLiteral("1234,56"));
    EXPECT_EQ(form->Check_Payout_Colour(), Money_Green);
    form->SpeedButton3->click();
    // Files keep the point.
    EXPECT_TRUE(QString::fromLatin1(folder.Read("Data/Default.trn")).contains(QStringLiteral("Total=1234.56005859375\n")));
    QLocale::setDefault(QLocale::c());
}

} // namespace
