// A whole game night through the real main window and its dialogs, the way an
// operator runs an evening: players into the database, the wizard, a random
// seating, chips and payout, the clock through two level ends, nine
// knock-outs, the reports, closing, and a second start in the same folder.
#include "Main_window_test.h"

#include "forms/dialogs/Player_entry.h"
#include "forms/dialogs/Seat_form.h"
#include "forms/widgets/Spin_box.h"
#include "forms/dialogs/Wizard_dlg.h"
#include "model/Player.h"
#include "platform/Program_folder.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <cstring>

namespace {

const char* const Firsts[12] = {"Ann", "Bob", "Cy", "Dee", "Eli", "Fay", "Gus", "Hal", "Ida", "Jo", "Kim", "Lu"};
const char* const Lasts[12] = {"Lee", "Day", "Fox", "Ray", "Moe", "Kent", "Hart", "Lund", "Berg", "Cruz", "Dunn", "Egan"};

class Game_Night_Test : public Main_Window_Test {
protected:
    void Switch_Pages()
    {
        for (QToolButton* b : {form->SpeedButton4, form->SpeedButton5, form->SpeedButton6, form->SpeedButton7,
                               form->SpeedButton3})
            b->click();
    }

    void Add_Player_Through_The_Dialog(int i)
    {
        script.modal_scripts[QStringLiteral("PlayerEntry_Form")] = [i](QDialog* d) {
            auto& entry = *static_cast<TPlayerEntry_Form*>(d);
            QTest::keyClicks(entry.First_Edit, QString::fromLatin1(Firsts[i]));
            QTest::keyClicks(entry.Last_Edit, QString::fromLatin1(Lasts[i]));
            QTest::keyClicks(entry.Phone_Edit, QStringLiteral("555-01%1").arg(i, 2, 10, QLatin1Char('0')));
            entry.Save_Button->click();
            return entry.result();
        };
        form->New_Button->click();
    }

    static QString Key(int i) { return QStringLiteral("%1,%2").arg(QLatin1String(Firsts[i]), QLatin1String(Lasts[i])); }

    void Knock_Out(const QString& name)
    {
        QTableWidget* grid = form->All_Grid;
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (grid->item(row, 0)->text() != name)
                continue;
            QTableWidgetItem* cell = grid->item(row, 1);
            grid->scrollToItem(cell);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->visualItemRect(cell).center());
            ASSERT_TRUE(form->IO_Combo1->isVisible());
            // The operator types "Out" and presses Enter.
            QLineEdit* typed = form->IO_Combo1->lineEdit();
            typed->selectAll();
            QTest::keyClicks(typed, QStringLiteral("Out"));
            QTest::keyClick(typed, Qt::Key_Return);
            return;
        }
        FAIL() << "not in the grid: " << name.toStdString();
    }

    struct Entry {
        QString name;
        int table, seat, place;
    };
    QList<Entry> Plr() const
    {
        const QByteArray bytes = folder.Read("Data/GameNight.plr");
        QList<Entry> entries;
        for (qsizetype at = 0; at + 32 <= bytes.size(); at += 32) {
            int32_t v[3];
            std::memcpy(v, bytes.constData() + at + 20, sizeof v);
            entries.append({QString::fromLatin1(bytes.constData() + at), v[0], v[1], v[2]});
        }
        return entries;
    }
};

TEST_F(Game_Night_Test, AWholeEveningEndsInTheFilesAndTheReports)
{
    Start();
    form->show();
    const QString bell = Sound_File(QStringLiteral("bell.wav"));
    const QString chime = Sound_File(QStringLiteral("chime.wav"));

    // Twelve players into the database through the entry dialog.
    form->SpeedButton4->click();
    for (int i = 0; i < 12; ++i)
        Add_Player_Through_The_Dialog(i);
    ASSERT_EQ(Player_DB.Count, 12);
    ASSERT_EQ(form->Available_List->count(), 12);
    Switch_Pages();

    // The wizard: name, 15-minute levels, levels 16-20 empty, both sounds, ten players.
    script.modal_scripts[QStringLiteral("WizardDlg")] = [&](QDialog* d) {
        auto& w = *static_cast<TWizardDlg*>(d);
        w.NameEdt->setText(QStringLiteral("GameNight"));
        w.NextBtn->click();
        w.Timer_Spin->Set_Value(15);
        w.NextBtn->click();
        for (int level = 15; level < Level_Count; ++level) {
            w.SB_Edit[level]->clear();
            w.BB_Edit[level]->clear();
        }
        w.NextBtn->click();
        script.files.push_back(bell);
        w.SpeedButton1->click();
        w.NextBtn->click();
        script.files.push_back(chime);
        w.SpeedButton4->click();
        w.NextBtn->click();
        w.Available_List->clearSelection();
        for (int row = 0; row < w.Available_List->count(); ++row)
            if (row < 10)
                w.Available_List->setCurrentRow(row, QItemSelectionModel::Select);
        w.SpeedButton2->click();
        w.FinishBtn->click();
        return w.result();
    };
    form->Wizard1->trigger();
    ASSERT_EQ(form->Last_Tourney, QStringLiteral("GameNight.trn"));
    ASSERT_EQ(form->Current_Tourney->Total, 10);
    ASSERT_EQ(script.messages.size(), 1u); // "Blind Warning", once
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Blind Warning"));
    Switch_Pages();

    // Seated at random at two tables.
    form->SpeedButton4->click();
    script.modal_scripts[QStringLiteral("Seat_Form")] = [](QDialog* d) {
        auto& seat = *static_cast<TSeat_Form*>(d);
        seat.Tables->Set_Value(2);
        seat.Random_Btn->click();
        seat.Button2->click();
        return 0;
    };
    form->Button1->click();
    EXPECT_EQ(form->Table_List[0]->count() + form->Table_List[1]->count(), 10);
    EXPECT_EQ(form->Table_List[0]->count(), 5);
    Switch_Pages();

    // Chips and a payout of 50/30/20 on a pool of 200.
    form->SpeedButton6->click();
    const int quantities[Chip_Count] = {100, 100, 50, 20, 10};
    for (int k = 0; k < Chip_Count; ++k)
        form->Chip_Quanity[k]->Set_Value(quantities[k]);
    form->SpeedButton7->click();
    form->Prize_Pool->setText(QStringLiteral("200"));
    form->Per[0]->Set_Value(50);
    form->Per[1]->Set_Value(30);
    form->Per[2]->Set_Value(20);
    form->Timer2Timer(); // half a second on the Payout page
    Switch_Pages();
    EXPECT_EQ(form->Pay[0]->text(), QStringLiteral("100"));

    // The clock through the warning and two level ends.
    form->Toggle_Start->trigger();
    Tick(14 * 60);
    EXPECT_EQ(player->played, QStringList{chime});
    Tick(61);
    EXPECT_EQ(player->played, (QStringList{chime, bell}));
    Tick(15 * 60 + 1);
    EXPECT_EQ(player->played, (QStringList{chime, bell, chime, bell}));
    EXPECT_EQ(form->CurrentLevel, 2);
    // The wizard's schedule: level k is 5k / 10k.
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("15"));
    EXPECT_EQ(form->Big_Blind2->text(), QStringLiteral("30"));
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("15:00"));
    Switch_Pages();
    EXPECT_EQ(form->Clock.Paused, 0);

    // Nine knock-outs through the in/out grid, pages switched in between.
    QStringList entered;
    for (const Entry& e : Plr())
        entered << e.name;
    ASSERT_EQ(entered.size(), 10);
    // The last knock-out asks to record the winner: not yet, he stays in.
    script.answers.push_back(Answer::Cancel);
    for (int i = 0; i < 9; ++i) {
        Knock_Out(entered[i]);
        Switch_Pages();
    }
    ASSERT_FALSE(script.messages.empty());
    EXPECT_TRUE(script.messages.back().text.endsWith(QStringLiteral("as the winner?")));
    form->Create_Top10->trigger();
    form->Create_Seating->trigger();
    ASSERT_TRUE(script.messages.size() == 2u) << script.messages.back().text.toStdString();
    Finish();

    // The files hold exactly what was done.
    const QString trn = QString::fromUtf8(folder.Read("Data/GameNight.trn"));
    EXPECT_TRUE(trn.startsWith(QStringLiteral("[Setup]\nTime=15\nSB0=5\nBB0=10\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("SB14=75\nBB14=150\nSB15=0\nBB15=0\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("SB19=0\nBB19=0\nSound=") + bell + QStringLiteral("\nWarning=") + chime));
    EXPECT_TRUE(trn.contains(QStringLiteral("[Players]\nTotal=10\nOut=1\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("First Quanity=100\nSecond Quanity=100\nThird Quanity=50\n"
                                            "Fourth Quanity=20\nFifth Quanity=10\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("[Prizes]\nTotal=200\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("Prize 0=50\nPrize 1=30\nPrize 2=20\nPrize 3=0\n")));
    const QList<Entry> entries = Plr();
    ASSERT_EQ(entries.size(), 10);
    int at_table[2] = {0, 0};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(entries[i].place, i < 9 ? 10 - i : 0) << entries[i].name.toStdString();
        ASSERT_TRUE(entries[i].table == 0 || entries[i].table == 1);
        ++at_table[entries[i].table];
    }
    EXPECT_EQ(at_table[0], 5);
    EXPECT_EQ(at_table[1], 5);
    EXPECT_EQ(folder.Read("Data/PdB.data").size(), 12 * 116);
    EXPECT_TRUE(QString::fromLatin1(folder.Read(QFileInfo(Settings_Path()).fileName().toUtf8()))
                    .contains(QStringLiteral("Last Tourney=GameNight.trn\n")));

    // The reports: places 1 to 10 with the right names, both tables.
    const QString top10 = QString::fromLatin1(folder.Read("Reports/Top10.htm"));
    EXPECT_TRUE(top10.contains(QStringLiteral("<tr><td>1</td><td>Still Playing</td></tr>\r\n")));
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(top10.contains(QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\r\n").arg(10 - i).arg(entered[i])))
            << entered[i].toStdString();
    EXPECT_FALSE(top10.contains(QStringLiteral("<tr><td>11</td>")));
    const QString seating = QString::fromLatin1(folder.Read("Reports/Seating.htm"));
    for (const QString& name : entered)
        EXPECT_TRUE(seating.contains(name)) << name.toStdString();
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("Reports/logo.jpg")));

    // A second start in the same folder shows the same evening.
    Start();
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("GameNight.trn"));
    EXPECT_EQ(form->Playing_List->count(), 10);
    EXPECT_EQ(form->Available_List->count(), 12);
    int out = 0;
    for (int row = 0; row < form->All_Grid->rowCount(); ++row)
        out += form->All_Grid->item(row, 1)->text() == QStringLiteral("Out");
    EXPECT_EQ(out, 9);
    EXPECT_EQ(form->Chip_Quanity[2]->value(), 50);
    EXPECT_EQ(form->Timer_Spin->value(), 15);
    EXPECT_EQ(form->Current_Tourney->Prize_Total, 200.0f);
}

} // namespace
