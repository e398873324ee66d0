// A whole evening with money, through the windows: the settings on the
// Payout page's Money area, the pool kept from the entries, the suggested
// table, rebuys and add-ons on the in/out grid (and refused after their
// window), knock-outs with bounties, the rounded payouts on the players'
// display and the phones, the results report and a deal at the end.
#include "Display_fixture.h"

#include "forms/dialogs/Deal_dlg.h"
#include "forms/dialogs/Wizard_dlg.h"
#include "forms/main_window/Money_area.h"
#include "forms/main_window/Money_grid.h"
#include "forms/main_window/Structure_page.h"
#include "forms/widgets/Money_fields.h"
#include "forms/widgets/Spin_box.h"
#include "model/Money.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

namespace {

class Money_Evening_Test : public Display_Fixture {
protected:
    // Six entries P1,X .. P6,X, a chip set of 2000 a player, nobody out.
    void Open_Evening()
    {
        Start_Tourney("[Chips]\nFirst Value=25\nFirst Quanity=40\nSecond Value=100\nSecond Quanity=10\n", 20, 6, 0);
        form->show();
    }
    CTourney& T() { return *form->Current_Tourney; }
    void Page(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Select_Row(const QString& name)
    {
        const QList<QTableWidgetItem*> found = form->All_Grid->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty());
        form->All_Grid->setCurrentCell(found.first()->row(), 0);
    }
    // Marks a player out with the grid's chooser; the "Knocked out by"
    // question is answered with `by` ("" cancels it).
    void Knock_Out(const QString& name, const QString& by)
    {
        script.modal_scripts[QStringLiteral("Knocked_Out_Dlg")] = [by](QDialog* d) {
            auto* choice = d->findChild<QComboBox*>(QStringLiteral("Knocked_Out_By_Combo"));
            if (by.isEmpty() || !choice)
                return int(QDialog::Rejected);
            choice->setCurrentIndex(choice->findText(by));
            return int(QDialog::Accepted);
        };
        const QList<QTableWidgetItem*> found = form->All_Grid->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty());
        QTableWidgetItem* state = form->All_Grid->item(found.first()->row(), 1);
        form->All_Grid->scrollToItem(state);
        QTest::mouseClick(form->All_Grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          form->All_Grid->visualItemRect(state).center());
        Choose(QStringLiteral("Out"));
    }
    QString Trn() const { return QString::fromUtf8(folder.Read("Data/Default.trn")); }
    QJsonObject Phone() const { return QJsonDocument::fromJson(form->Phone_State()).object(); }
};

TEST_F(Money_Evening_Test, AWholeEveningWithRebuysAddOnsBountiesAndRoundedPayouts)
{
    Open_Evening();
    Money_Fields* money = form->Money->Fields;
    Page(form->SpeedButton7);
    money->Buy_In_Edit->setText(QStringLiteral("30"));
    money->Fee_Edit->setText(QStringLiteral("3"));
    money->Bounty_Edit->setText(QStringLiteral("5"));
    money->Rebuy_Price_Edit->setText(QStringLiteral("20"));
    money->Rebuy_Chips_Edit->setText(QStringLiteral("2000"));
    money->Rebuy_Until_Spin->Set_Value(2);
    money->Addon_Price_Edit->setText(QStringLiteral("10"));
    money->Addon_Chips_Edit->setText(QStringLiteral("3000"));
    money->Addon_Until_Spin->Set_Value(3);
    money->Added_Money_Edit->setText(QStringLiteral("50"));
    money->Currency_Edit->setText(QStringLiteral("$"));
    money->Rounding_Edit->setText(QStringLiteral("5"));
    EXPECT_FALSE(form->Prize_Pool->isReadOnly());
    money->Pool_From_Entries_Check->setChecked(true);
    // 6 x (30 - 3 - 5) + 50
    EXPECT_EQ(form->Prize_Pool->text(), QStringLiteral("182"));
    EXPECT_TRUE(form->Prize_Pool->isReadOnly());

    // The standard table for six entries, amounts exact on the page.
    form->Money->Suggest_Btn->click();
    EXPECT_EQ(form->Per[0]->Value(), 65);
    EXPECT_EQ(form->Per[1]->Value(), 35);
    EXPECT_EQ(form->Per[2]->Value(), 0);
    EXPECT_EQ(form->Pay[0]->text(), QStringLiteral("118.3"));
    EXPECT_EQ(form->Check_Payout->text(), QStringLiteral("182"));

    // Back to the Action page: everything stored, in its own sections.
    Page(form->SpeedButton3);
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Money]\nBuy-in=30\nFee=3\nBounty=5\nRebuy Price=20\n")));
    EXPECT_TRUE(Trn().contains(QStringLiteral("Pool From Entries=1\n")));

    // Level 1: P2 rebuys, P1 takes the add-on.
    Select_Row(QStringLiteral("P2,X"));
    form->Grid_Money->Rebuy_Player->trigger();
    Select_Row(QStringLiteral("P1,X"));
    form->Grid_Money->Addon_Player->trigger();
    EXPECT_FLOAT_EQ(T().Prize_Total, 212.0f);
    EXPECT_TRUE(Trn().contains(QStringLiteral("[Money Entries]\nEntry 0=P1,X;0;1;;\nEntry 1=P2,X;1;0;;\n")));

    // P6 is knocked out by P1; the grid shows who won what.
    Knock_Out(QStringLiteral("P6,X"), QStringLiteral("P1,X"));
    EXPECT_EQ(T().Players[5].Place, 6);
    EXPECT_EQ(Bounties_Won(T(), "P1,X"), 1);
    EXPECT_TRUE(Trn().contains(QStringLiteral("P6,X;0;0;P1,X;")));
    EXPECT_EQ(Money_Grid::Counts_Text(0, 1, 1), QStringLiteral("A1 K1"));

    // Level 2: P6 rebuys and is back in; the bounty paid at the table stays won.
    form->Next_Blind->trigger();
    Select_Row(QStringLiteral("P6,X"));
    form->Grid_Money->Rebuy_Player->trigger();
    EXPECT_EQ(T().Players[5].Place, 0);
    EXPECT_EQ(Bounties_Won(T(), "P1,X"), 1);
    EXPECT_EQ(form->All_Grid->item(5, 1)->text(), QStringLiteral("In"));

    // Level 3: no more rebuys, with a message; the add-on still.
    form->Next_Blind->trigger();
    script.messages.clear();
    Select_Row(QStringLiteral("P3,X"));
    form->Grid_Money->Rebuy_Player->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("No rebuy for P3 X: rebuys ended with level 2."));
    form->Grid_Money->Addon_Player->trigger();
    EXPECT_EQ(T().Money.Of(QStringLiteral("P3,X")).Rebuys, 0);
    // 6 x 22 + 2 rebuys x 20 + 2 add-ons x 10 + 50
    EXPECT_FLOAT_EQ(T().Prize_Total, 242.0f);

    // P5 and P4 go out to P2; P4 came back "In" by mistake and went out again.
    Knock_Out(QStringLiteral("P5,X"), QStringLiteral("P2,X"));
    Knock_Out(QStringLiteral("P4,X"), QStringLiteral("P2,X"));
    Choose(QStringLiteral("In"));
    EXPECT_EQ(Bounties_Won(T(), "P2,X"), 1);
    Knock_Out(QStringLiteral("P4,X"), QStringLiteral("P3,X"));
    EXPECT_EQ(Bounties_Won(T(), "P3,X"), 1);

    // The display and the phones: the pool, the rounded payouts, every chip counted.
    // 242 at 65/35: 157.3 and 84.7; to fives 80, and 162 to first.
    TPlayers_Display* d = Open_Display();
    ASSERT_NE(d, nullptr);
    Frame(d, QSize(1280, 720));
    EXPECT_EQ(Text(d->Last_Frame(), "pool")->text, QStringLiteral("$242"));
    EXPECT_EQ(Text(d->Last_Frame(), "payout1")->text, QStringLiteral("$162"));
    EXPECT_EQ(Text(d->Last_Frame(), "payout2")->text, QStringLiteral("$80"));
    const QJsonObject phone = Phone();
    EXPECT_EQ(phone.value(QStringLiteral("payouts")).toArray(), (QJsonArray{162.0, 80.0}));
    EXPECT_EQ(phone.value(QStringLiteral("currency")).toString(), QStringLiteral("$"));
    // (6 x 2000 + 2 x 2000 + 2 x 3000) / 4 left
    EXPECT_DOUBLE_EQ(phone.value(QStringLiteral("average")).toDouble(), 5500.0);
    EXPECT_EQ(form->Pay[0]->text(), QStringLiteral("118.3")); // the page keeps its figures till it reloads

    // The results: who won what, with totals that add up to the pool.
    form->Results1->trigger();
    const QString report = QString::fromUtf8(folder.Read("Reports/Results.htm"));
    ASSERT_EQ(script.shell_opened.size(), 1);
    EXPECT_TRUE(script.shell_opened[0].endsWith(QStringLiteral("Reports/Results.htm")));
    EXPECT_TRUE(report.contains(QStringLiteral("<tr><td>Still Playing</td><td class=\"name\">P1,<wbr>X</td><td class=\"num\"></td>"
                                               "<td class=\"num\">1 <span class=\"paid\">($5)</span></td>"
                                               "<td class=\"num\">0</td><td class=\"num\">1</td></tr>")));
    EXPECT_TRUE(report.contains(QStringLiteral("<tr><td>6</td><td class=\"name\">P5,<wbr>X</td><td class=\"num\">$0</td>")));
    EXPECT_TRUE(report.contains(QStringLiteral("<tr class=\"total\"><td></td><td class=\"name\">Total</td><td class=\"num\">$0</td>"
                                               "<td class=\"num\">3 <span class=\"paid\">($15)</span></td><td class=\"num\">2</td>"
                                               "<td class=\"num\">2</td>")));
    EXPECT_TRUE(report.contains(QStringLiteral("Prize pool: $242<br>Prizes: $0<br>Still to be paid: $242")));

    // Everything survives a restart.
    Finish();
    Start();
    EXPECT_EQ(Bounties_Won(T(), "P2,X"), 1);
    EXPECT_EQ(Total_Rebuys(T()), 2);
    EXPECT_FLOAT_EQ(T().Prize_Total, 242.0f);
    Page(form->SpeedButton7);
    EXPECT_EQ(form->Money->Fields->Rounding_Edit->text(), QStringLiteral("5"));
    EXPECT_TRUE(form->Prize_Pool->isReadOnly());
}

TEST_F(Money_Evening_Test, DealAtTheFinalTableGoesIntoTheResults)
{
    Start_Tourney("[Chips]\nFirst Value=100\nFirst Quanity=10\n[Prizes]\nTotal=600\nPrize 0=50\nPrize 1=30\nPrize 2=20\n"
                  "[Money]\nRounding=10\n",
                  20, 5, 2);
    form->show();
    // P1..P3 are in with 5000 chips in play; they deal, keeping 40 to play for.
    script.modal_scripts[QStringLiteral("Deal_Dlg")] = [](QDialog* dialog) {
        auto* deal = static_cast<TDeal_Dlg*>(dialog);
        EXPECT_EQ(deal->Deal_Grid->rowCount(), 3);
        EXPECT_EQ(deal->Prizes_Grid->item(0, 0)->text(), QStringLiteral("300"));
        const char* chips[] = {"2500", "1500", "1000"};
        for (int r = 0; r < 3; ++r)
            deal->Deal_Grid->item(r, TDeal_Dlg::Chips_Col)->setText(QString::fromLatin1(chips[r]));
        deal->Keep_Edit->setText(QStringLiteral("40"));
        deal->Calculate_Btn->click();
        // ICM of 260/180/120 by 2500/1500/1000, against the plain chip chop.
        EXPECT_EQ(deal->Deal_Grid->item(0, TDeal_Dlg::Chop_Col)->text(), QStringLiteral("280"));
        EXPECT_LT(deal->Deal_Grid->item(0, TDeal_Dlg::Difference_Col)->text().toDouble(), 0);
        EXPECT_GT(deal->Deal_Grid->item(2, TDeal_Dlg::Difference_Col)->text().toDouble(), 0);
        EXPECT_TRUE(deal->Chips_Check->text().startsWith(QStringLiteral("Chips typed: 5000 of 5000")));
        // An agreement that does not add up is refused.
        deal->Deal_Grid->item(2, TDeal_Dlg::Agreed_Col)->setText(QStringLiteral("1"));
        deal->Write_Btn->click();
        EXPECT_FALSE(deal->Written);
        deal->Deal_Grid->item(0, TDeal_Dlg::Agreed_Col)->setText(QStringLiteral("260"));
        deal->Deal_Grid->item(1, TDeal_Dlg::Agreed_Col)->setText(QStringLiteral("159"));
        deal->Deal_Grid->item(2, TDeal_Dlg::Agreed_Col)->setText(QStringLiteral("141"));
        // A keep that is no amount is refused, not written as 0.
        deal->Keep_Edit->setText(QStringLiteral("-40"));
        deal->Write_Btn->click();
        EXPECT_FALSE(deal->Written);
        deal->Keep_Edit->setText(QStringLiteral("40"));
        deal->Write_Btn->click();
        return dialog->result();
    };
    form->Deal1->trigger();
    ASSERT_EQ(script.modals_shown.count(QStringLiteral("Deal_Dlg")), 1);
    ASSERT_EQ(script.messages.size(), 3u); // the refusals, then what was written
    EXPECT_TRUE(script.messages[1].text.startsWith(QStringLiteral("Keep playing for: -40 is below 0")));
    EXPECT_TRUE(script.messages[2].text.startsWith(QStringLiteral("Written to the results:\nP1 X: 260\n")));
    EXPECT_EQ(T().Money.Of(QStringLiteral("P1,X")).Deal, 260);
    EXPECT_TRUE(Trn().contains(QStringLiteral("Deal Kept=40\n")));

    // They play on for the 40: P2 wins it.
    for (const char* name : {"P3,X", "P1,X", "P2,X"})
        T().Set_Out(QString::fromLatin1(name));
    form->Results1->trigger();
    const QString report = QString::fromLatin1(folder.Read("Reports/Results.htm"));
    EXPECT_TRUE(report.contains(QStringLiteral("<tr><td>1</td><td class=\"name\">P2,<wbr>X</td><td class=\"num\">199</td>")));
    EXPECT_TRUE(report.contains(QStringLiteral("<tr><td>2</td><td class=\"name\">P1,<wbr>X</td><td class=\"num\">260</td>")));
    EXPECT_TRUE(report.contains(QStringLiteral("Prize pool: 600<br>Prizes: 600<br>Still to be paid: 0")));

    // Too many players for a deal: told, no dialog.
    script.modals_shown.clear();
    for (const char* name : {"P1,X", "P2,X", "P3,X", "P4,X", "P5,X"})
        T().Set_In(QString::fromLatin1(name));
    T().Set_Out(QStringLiteral("P5,X"));
    T().Set_Out(QStringLiteral("P4,X"));
    T().Set_Out(QStringLiteral("P3,X"));
    T().Set_Out(QStringLiteral("P2,X"));
    form->Deal1->trigger();
    EXPECT_TRUE(script.modals_shown.isEmpty());
    EXPECT_EQ(script.messages.back().text, QStringLiteral("A deal is worked out for 2 to 10 players still in; 1 are in."));
}

// The last one in is recorded as the winner after a question; the display
// and the phone show him with his prize. "Knocked out by..." later offers
// every other entry, out or not, with the credit preselected.
TEST_F(Money_Evening_Test, TheLastPlayerInIsTheWinnerAndACreditCanBeChangedLater)
{
    Start_Tourney("[Prizes]\nTotal=100\nPrize 0=70\nPrize 1=30\n[Money]\nBounty=5\nCurrency=$\n", 20, 3, 1);
    form->show();
    Knock_Out(QStringLiteral("P2,X"), QStringLiteral("P1,X"));
    ASSERT_FALSE(script.messages.empty());
    EXPECT_EQ(script.messages.back().text, QStringLiteral("P1 X is the last player in. Record P1 X as the winner?"));
    EXPECT_EQ(T().Players[0].Place, 1);
    TPlayers_Display* d = Open_Display();
    ASSERT_NE(d, nullptr);
    Frame(d, QSize(1280, 720));
    EXPECT_EQ(Text(d->Last_Frame(), "winner")->text, QStringLiteral("P1 X  $70"));
    const QJsonObject winner = Phone().value(QStringLiteral("winner")).toObject();
    EXPECT_EQ(winner.value(QStringLiteral("name")).toString(), QStringLiteral("P1 X"));
    EXPECT_DOUBLE_EQ(winner.value(QStringLiteral("prize")).toDouble(), 70);

    QStringList offered;
    QString preselected;
    script.modal_scripts[QStringLiteral("Knocked_Out_Dlg")] = [&](QDialog* dialog) {
        auto* choice = dialog->findChild<QComboBox*>(QStringLiteral("Knocked_Out_By_Combo"));
        for (int i = 0; i < choice->count(); ++i)
            offered << choice->itemText(i);
        preselected = choice->currentText();
        choice->setCurrentIndex(choice->findText(QStringLiteral("P3,X")));
        return int(QDialog::Accepted);
    };
    Select_Row(QStringLiteral("P2,X"));
    form->Grid_Money->Knocked_Out_By->trigger();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("(nobody)"), QStringLiteral("P1,X"), QStringLiteral("P3,X")}));
    EXPECT_EQ(preselected, QStringLiteral("P1,X"));
    EXPECT_EQ(T().Money.Of(QStringLiteral("P2,X")).Knocked_Out_By, QByteArray("P3,X"));
}

// A box holding no accepted amount is marked with the reason and stores
// nothing; so are fee and bounty beyond the buy-in.
TEST_F(Money_Evening_Test, RefusedAmountsAreShownAndNotStored)
{
    Open_Evening();
    Money_Fields* money = form->Money->Fields;
    Page(form->SpeedButton7);
    money->Buy_In_Edit->setText(QStringLiteral("20"));
    for (const char* text : {"abc", "-5", "2e9", "10,5"}) {
        money->Buy_In_Edit->setText(QString::fromLatin1(text));
        EXPECT_EQ(T().Money.Settings.Buy_In, 20) << text;
        EXPECT_TRUE(money->Buy_In_Edit->toolTip().contains(QString::fromLatin1(text))) << text;
    }
    money->Buy_In_Edit->setText(QStringLiteral("20"));
    money->Fee_Edit->setText(QStringLiteral("15"));
    money->Bounty_Edit->setText(QStringLiteral("10"));
    EXPECT_EQ(T().Money.Settings.Bounty, 0);
    EXPECT_TRUE(form->Money->Money_Summary->text().startsWith(QStringLiteral("Fee and bounty (25) are more than the buy-in (20)")));
    EXPECT_TRUE(Trn().contains(QStringLiteral("Buy-in=20\nFee=15\nBounty=0\n"))); // stored at once, without the refused bounty
}

TEST_F(Money_Evening_Test, WizardSetsTheMoneyOnItsSecondStep)
{
    Start();
    script.modal_scripts[QStringLiteral("WizardDlg")] = [](QDialog* dialog) {
        auto& w = *static_cast<TWizardDlg*>(dialog);
        w.NameEdt->setText(QStringLiteral("Friday"));
        w.NextBtn->click();
        EXPECT_TRUE(w.Money_Group->isVisible());
        w.Money_Group->Buy_In_Edit->setText(QStringLiteral("25"));
        w.Money_Group->Added_Money_Edit->setText(QStringLiteral("12.5"));
        w.Money_Group->Pool_From_Entries_Check->setChecked(true);
        for (int i = 0; i < 4; ++i)
            w.NextBtn->click();
        w.FinishBtn->click();
        return w.result();
    };
    form->Wizard1->trigger();
    const QString trn = QString::fromUtf8(folder.Read("Data/Friday.trn"));
    EXPECT_TRUE(trn.contains(QStringLiteral("[Money]\nBuy-in=25\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("Added Money=12.5\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("[Prizes]\nTotal=12.5\n"))); // no entries yet: the added money
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Money->Fields->Buy_In_Edit->text(), QStringLiteral("25"));
}

// Both of the wizard's additions in one run: the money of its second step and
// the antes of its schedule reach the file, the pages and the phone together.
TEST_F(Money_Evening_Test, WizardKeepsTheMoneyAndTheAntesTogether)
{
    Start();
    script.modal_scripts[QStringLiteral("WizardDlg")] = [](QDialog* dialog) {
        auto& w = *static_cast<TWizardDlg*>(dialog);
        w.NameEdt->setText(QStringLiteral("Friday"));
        w.NextBtn->click();
        w.Money_Group->Buy_In_Edit->setText(QStringLiteral("30"));
        w.Money_Group->Added_Money_Edit->setText(QStringLiteral("100"));
        w.Money_Group->Pool_From_Entries_Check->setChecked(true);
        w.NextBtn->click();
        w.SB_Edit[0]->setText(QStringLiteral("25"));
        w.BB_Edit[0]->setText(QStringLiteral("50"));
        w.Ante_Edit[0]->setText(QStringLiteral("50"));
        for (int i = 0; i < 3; ++i)
            w.NextBtn->click();
        w.FinishBtn->click();
        return w.result();
    };
    form->Wizard1->trigger();
    const QByteArray trn = folder.Read("Data/Friday.trn");
    EXPECT_TRUE(trn.contains("[Money]\nBuy-in=30\n")) << trn.constData();
    EXPECT_TRUE(trn.contains("Added Money=100\n"));
    EXPECT_TRUE(trn.contains("\nAnte0=50\n")) << trn.constData();
    EXPECT_EQ(form->Money->Fields->Buy_In_Edit->text(), QStringLiteral("30"));
    EXPECT_EQ(form->Structure_Extras->Ante_Edit[0]->text(), QStringLiteral("50"));
    EXPECT_EQ(form->Current_Tourney->Structure.Ante(0), 50);
    // A page switch keeps both.
    form->Save_Setup->trigger();
    const QJsonObject phone = QJsonDocument::fromJson(form->Phone_State()).object();
    EXPECT_EQ(phone.value(QStringLiteral("ante")).toString(), QStringLiteral("BB ante 50"));
    EXPECT_DOUBLE_EQ(phone.value(QStringLiteral("pool")).toDouble(), 100);
    EXPECT_EQ(form->Current_Tourney->Money.Settings.Buy_In, 30);
}

} // namespace
