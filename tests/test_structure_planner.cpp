// Tools, "Structure Planner...": the dialog starts from the tournament, shows
// its proposal (end, chart, table, warnings) and Apply puts it on the Blinds
// page and in the file, while Cancel changes nothing. And the wizard's antes.
#include "Main_window_test.h"

#include "forms/dialogs/Structure_planner_dlg.h"
#include "forms/dialogs/Wizard_dlg.h"
#include "forms/main_window/Structure_page.h"
#include "forms/widgets/Depth_chart.h"
#include "forms/widgets/Spin_box.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTableWidget>

namespace {

class Planner_Test : public Main_Window_Test {
protected:
    void Start_Game()
    {
        QByteArray plr;
        for (int i = 0; i < 10; ++i) {
            QByteArray name = QStringLiteral("P%1,X").arg(i).toLatin1();
            name.resize(20, '\0');
            const qint32 fields[3] = {0, i, 0};
            plr += name + QByteArray(reinterpret_cast<const char*>(fields), sizeof fields);
        }
        folder.Write(QStringLiteral("Data/Default.plr"), plr);
        folder.Write(QStringLiteral("Data/Default.trn"),
                     "[Setup]\nTime=20\n[Chips]\nFirst Value=25\nFirst Quanity=20\nSecond Value=100\nSecond Quanity=20\n"
                     "Third Value=500\nThird Quanity=6\nFourth Value=1000\nFourth Quanity=4\nFifth Value=5000\n"
                     "Fifth Quanity=0\n");
        Start();
    }
    void Run_Planner(std::function<int(TStructure_Planner_Dlg&)> script_it)
    {
        script.modal_scripts[QStringLiteral("Structure_Planner_Dlg")] = [script_it](QDialog* d) {
            return script_it(*static_cast<TStructure_Planner_Dlg*>(d));
        };
        form->findChild<QAction*>(QStringLiteral("StructurePlanner1"))->trigger();
    }
};

bool Has_Colour(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

TEST_F(Planner_Test, ShowsItsProposalAndApplyPutsItOnTheBlindsPageAndInTheFile)
{
    Start_Game();
    Planned_Structure shown;
    Run_Planner([&](TStructure_Planner_Dlg& p) {
        // It starts from the tournament: its players, chips and level length.
        EXPECT_EQ(p.Players_Spin->value(), 10);
        EXPECT_EQ(p.Stack_Spin->value(), 25 * 20 + 100 * 20 + 500 * 6 + 1000 * 4);
        EXPECT_EQ(p.Chip_Spin->value(), 25);
        EXPECT_EQ(p.Level_Spin->value(), 20);
        p.Hours_Spin->setValue(3.5);
        shown = p.Proposal();
        EXPECT_TRUE(p.End_Label->text().startsWith(QStringLiteral("Planned end: ")));
        int breaks = 0;
        for (const Plan_Level& lv : shown.levels)
            breaks += lv.break_minutes > 0;
        EXPECT_GT(breaks, 0);
        EXPECT_EQ(p.Levels_Table->rowCount(), Level_Count + breaks);
        EXPECT_EQ(p.Levels_Table->item(0, 1)->text(),
                  QStringLiteral("%1 / %2").arg(shown.levels[0].small_blind).arg(shown.levels[0].big_blind));
        // The chart is painted, the level of the end in its own colour.
        const QImage chart = p.Chart->grab().toImage();
        EXPECT_TRUE(Has_Colour(chart, Depth_Chart::Bar_Colour));
        EXPECT_TRUE(Has_Colour(chart, Depth_Chart::End_Colour));
        EXPECT_EQ(p.Warnings_Label->text(), shown.warnings.join(QLatin1Char('\n')));
        EXPECT_FALSE(p.Warnings_Label->text().contains(QStringLiteral("wanted length"))) << p.Warnings_Label->text().toStdString();
        // An hour for these chips is too short: it says so.
        p.Hours_Spin->setValue(1);
        EXPECT_TRUE(p.Warnings_Label->text().contains(QStringLiteral("past the wanted length")));
        p.Hours_Spin->setValue(3.5);
        p.ApplyBtn->click();
        return 1;
    });
    ASSERT_EQ(shown.levels.size(), Level_Count);
    const CTourney& t = *form->Current_Tourney;
    for (int k = 0; k < Level_Count; ++k) {
        EXPECT_EQ(form->SB_Edit[k]->text(), QString::number(shown.levels[k].small_blind));
        EXPECT_EQ(t.Blinds[k].BB, shown.levels[k].big_blind);
        EXPECT_EQ(t.Structure.Ante(k), shown.levels[k].ante);
        EXPECT_EQ(t.Structure.Break_After(k), shown.levels[k].break_minutes > 0);
        EXPECT_EQ(t.Structure.Levels[k].Break_Note, shown.levels[k].break_note);
    }
    // It is in the file too, read back by a fresh record.
    CTourney stored;
    stored.Load_File(QStringLiteral("Default.trn"));
    EXPECT_EQ(stored.Structure, t.Structure);
    EXPECT_EQ(stored.Blinds[5].SB, shown.levels[5].small_blind);
}

TEST_F(Planner_Test, CancelChangesNothing)
{
    Start_Game();
    form->SpeedButtonClick(2);
    const QByteArray before = folder.Read(QStringLiteral("Data/Default.trn"));
    Run_Planner([](TStructure_Planner_Dlg& p) {
        p.Players_Spin->setValue(40);
        p.CancelBtn->click();
        return 0;
    });
    EXPECT_EQ(form->SB_Edit[0]->text(), QStringLiteral("5"));
    EXPECT_TRUE(form->Structure_Extras->Ante_Edit[6]->text().isEmpty());
    form->SpeedButtonClick(2);
    EXPECT_EQ(folder.Read(QStringLiteral("Data/Default.trn")), before);
}

TEST_F(Planner_Test, TheWizardsScheduleTakesAntesAndTheirKind)
{
    Start_Game();
    script.modal_scripts[QStringLiteral("WizardDlg")] = [](QDialog* d) {
        auto& w = *static_cast<TWizardDlg*>(d);
        w.NameEdt->setText(QStringLiteral("Friday"));
        w.NextBtn->click();
        w.NextBtn->click();
        EXPECT_TRUE(w.Ante_Edit[0]->text().isEmpty());
        w.Ante_Edit[4]->setText(QStringLiteral("50"));
        w.Ante_Edit[5]->setText(QStringLiteral("not a number"));
        w.Ante_Type_Combo->setCurrentIndex(1);
        for (int i = 0; i < 3; ++i)
            w.NextBtn->click();
        w.FinishBtn->click();
        return 1;
    };
    form->Launch_Wizard->trigger();
    EXPECT_TRUE(script.messages.empty()); // an ante left empty or wrong is no blind warning
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
    const QByteArray trn = folder.Read(QStringLiteral("Data/Friday.trn"));
    EXPECT_TRUE(trn.endsWith("[Structure]\nAnte Type=Per Player\nAnte4=50\n")) << trn.right(80).toStdString();
    EXPECT_EQ(form->Structure_Extras->Ante_Edit[4]->text(), QStringLiteral("50"));
}

} // namespace
