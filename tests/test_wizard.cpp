// The new-tournament wizard, driven through its buttons and lists inside the
// main window's Launch_Wizard, with the scripted host standing in for exec().
#include "forms/dialogs/Sound_dialog.h"
#include "Main_window_test.h"

#include "forms/widgets/Spin_box.h"
#include "forms/dialogs/Wizard_dlg.h"
#include "model/Player.h"

#include <QFile>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <vector>

namespace {

class Wizard_Test : public Main_Window_Test {
protected:
    // Runs the wizard from the main window; the steps run while it is shown.
    void Run_Wizard(const std::function<void(TWizardDlg&)>& steps)
    {
        script.modal_scripts[QStringLiteral("WizardDlg")] = [steps](QDialog* dialog) {
            auto& wizard = *static_cast<TWizardDlg*>(dialog);
            steps(wizard);
            return wizard.result();
        };
        form->Wizard1->trigger();
    }

    void Add_Database_Player(const QString& first, const QString& last)
    {
        CPlayer p;
        Set_Field(p.First, Player_Text_Size, first);
        Set_Field(p.Last, Player_Text_Size, last);
        ASSERT_TRUE(Player_DB.Add(p));
    }

    static void Next(TWizardDlg& w, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            w.NextBtn->click();
    }

    static void Select(QListWidget* list, const QStringList& texts)
    {
        list->clearSelection();
        for (int i = 0; i < list->count(); ++i)
            if (texts.contains(list->item(i)->text())) {
                list->setCurrentRow(i, QItemSelectionModel::Select);
            }
    }

    static QStringList Items(const QListWidget* list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    QString Trn(const QString& name) { return QString::fromLatin1(folder.Read("Data/" + name)); }
};

struct Buttons_State {
    bool back, next, finish, cancel, banner;
    bool operator==(const Buttons_State&) const = default;
};

Buttons_State State_Of(const TWizardDlg& w)
{
    return {w.BackBtn->isEnabled(), w.NextBtn->isEnabled(), w.FinishBtn->isEnabled(), w.CancelBtn->isEnabled(),
            !w.Image1->isHidden()};
}

TEST_F(Wizard_Test, StepsAndButtonsFollowNextAndBack)
{
    Start();
    Run_Wizard([](TWizardDlg& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Velmora Wizard"));
        EXPECT_EQ(w.Step(), 1);
        EXPECT_TRUE(State_Of(w) == (Buttons_State{false, true, false, true, true}));
        EXPECT_FALSE(w.FirstPage->isHidden());
        // The construction values: 20 minutes and 5/10, 10/20 ... 100/200.
        EXPECT_EQ(w.Timer_Spin->value(), 20);
        EXPECT_EQ(w.SB_Edit[0]->text(), QStringLiteral("5"));
        EXPECT_EQ(w.BB_Edit[19]->text(), QStringLiteral("200"));
        EXPECT_EQ(w.SB_Edit[19]->text(), QStringLiteral("100"));

        w.NameEdt->setText(QStringLiteral("Friday"));
        Next(w);
        EXPECT_EQ(w.Step(), 2);
        EXPECT_TRUE(State_Of(w) == (Buttons_State{true, true, false, true, true}));
        Next(w);
        EXPECT_EQ(w.Step(), 3);
        EXPECT_FALSE(w.ThirdPage->isHidden());
        EXPECT_TRUE(State_Of(w) == (Buttons_State{true, true, false, true, false})); // schedule covers the banner
        Next(w, 3);
        EXPECT_EQ(w.Step(), 6);
        EXPECT_FALSE(w.FifthPage->isHidden());
        EXPECT_TRUE(State_Of(w) == (Buttons_State{true, false, true, true, true}));
        w.BackBtn->click();
        EXPECT_EQ(w.Step(), 5);
        EXPECT_FALSE(w.SixthPage->isHidden());
        w.BackBtn->click();
        EXPECT_EQ(w.Step(), 4);
        EXPECT_FALSE(w.FourthPage->isHidden());
        w.CancelBtn->click();
    });
    // Cancelled: the current tournament is as it was and nothing was written for Friday.
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Default.trn"));
    EXPECT_FALSE(QFile::exists(folder.data() + QStringLiteral("Friday.trn")));
}

TEST_F(Wizard_Test, NamesThatMakeNoFileOfTheirOwnAreRefused)
{
    Start();
    Run_Wizard([this](TWizardDlg& w) {
        for (const QString& bad : {QString(), QStringLiteral("   "), QStringLiteral(".trn"), QStringLiteral("a/b")}) {
            w.NameEdt->setText(bad);
            Next(w);
            EXPECT_EQ(w.Step(), 1) << bad.toStdString();
        }
        EXPECT_EQ(script.messages.size(), 4u);
        EXPECT_EQ(script.messages[0].caption, QStringLiteral("Velmora Wizard"));
        w.CancelBtn->click();
    });
    EXPECT_FALSE(QFile::exists(folder.data() + QStringLiteral(".trn")));
}

TEST_F(Wizard_Test, FinishWithEmptyLevelsWarnsOnceWritesZerosAndOpensIt)
{
    Start();
    const QString bell = Sound_File(QStringLiteral("bell.wav"));
    form->Toggle_Start->trigger();
    form->Next_Blind->trigger();
    Tick(5);
    Run_Wizard([&](TWizardDlg& w) {
        w.NameEdt->setText(QStringLiteral("Friday"));
        Next(w);
        w.Timer_Spin->stepDown(); // 19 minutes
        Next(w);
        for (int level = 15; level < 20; ++level) {
            w.SB_Edit[level]->clear();
            w.BB_Edit[level]->clear();
        }
        w.SB_Edit[0]->setText(QStringLiteral("25"));
        Next(w);
        script.files.push_back(bell);
        w.SpeedButton1->click();
        EXPECT_EQ(w.Sound_Edit1->text(), bell);
        Next(w, 2);
        w.FinishBtn->click();
    });
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text,
              QStringLiteral("Make sure all blind fields are filled out.\nAll unused blind level set to 0."));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Blind Warning"));
    ASSERT_EQ(script.file_dialogs.size(), 1u);
    EXPECT_EQ(script.file_dialogs[0].title, QStringLiteral("Find Blind Timer Sound Effect"));
    EXPECT_EQ(script.file_dialogs[0].filter,
              Sound_Filter("MP3 files (*.mp3)|*.mp3|Wave files (*.wav)|*.wav|Playlist (*.m3u)|*.m3u|Any (*.*)|*.*", true));
    EXPECT_EQ(script.file_dialogs[0].filter_index, 1);

    const QString trn = Trn(QStringLiteral("Friday.trn"));
    EXPECT_TRUE(trn.contains(QStringLiteral("Time=19\nSB0=25\nBB0=10\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("SB14=75\nBB14=150\nSB15=0\nBB15=0\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("SB19=0\nBB19=0\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("Sound=") + bell));
    // The main window opens it at level 1 with a whole, paused level.
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Tourney_Name->text(), QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Timer_Spin->value(), 19);
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Start"));
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("19:00"));
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("25"));
}

TEST_F(Wizard_Test, NamingAnExistingTournamentKeepsItsChipsPayoutAndPlayers)
{
    folder.Write("Data/Club.trn", "[Setup]\nTime=30\n[Chips]\nFirst Value=7\n[Prizes]\nTotal=200\nPrize 0=50\n");
    folder.Write("Data/Club.plr", QByteArray("Ann,Lee").leftJustified(20, '\0') + QByteArray(12, '\0'));
    Start();
    Add_Database_Player(QStringLiteral("Ann"), QStringLiteral("Lee"));
    Add_Database_Player(QStringLiteral("bo"), QStringLiteral("Ray"));
    Add_Database_Player(QStringLiteral("Cy"), QStringLiteral("Fox"));
    Run_Wizard([&](TWizardDlg& w) {
        EXPECT_EQ(Items(w.Available_List), (QStringList{"Ann,Lee", "bo,Ray", "Cy,Fox"}));
        w.NameEdt->setText(QStringLiteral("Club"));
        Next(w);
        EXPECT_EQ(w.Timer_Spin->value(), 20); // the pages keep what they showed
        Next(w, 4);
        // The stored players are listed, so the duplicate test sees them.
        EXPECT_EQ(Items(w.Playing_List), QStringList{"Ann,Lee"});
        Select(w.Available_List, {"Ann,Lee", "Cy,Fox", "bo,Ray"});
        w.SpeedButton2->click();
        EXPECT_EQ(Items(w.Playing_List), (QStringList{"Ann,Lee", "bo,Ray", "Cy,Fox"}));
        w.FinishBtn->click();
    });
    const QString trn = Trn(QStringLiteral("Club.trn"));
    EXPECT_TRUE(trn.contains(QStringLiteral("Time=20\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("First Value=7\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("Total=200\n")));
    EXPECT_TRUE(trn.contains(QStringLiteral("Prize 0=50\n")));
    EXPECT_EQ(folder.Read("Data/Club.plr").size(), 3 * 32);
    EXPECT_EQ(form->Current_Tourney->Total, 3);
    EXPECT_EQ(form->Current_Tourney->Find_Entry(QStringLiteral("Ann,Lee")), 0);
}

TEST_F(Wizard_Test, PlayersMovedInStayWhenTheWizardIsCancelled)
{
    Start();
    Add_Database_Player(QStringLiteral("Ann"), QStringLiteral("Lee"));
    Add_Database_Player(QStringLiteral("Bo"), QStringLiteral("Ray"));
    Run_Wizard([&](TWizardDlg& w) {
        w.NameEdt->setText(QStringLiteral("Sunday"));
        Next(w, 5);
        Select(w.Available_List, {"Ann,Lee", "Bo,Ray"});
        w.Move_To_Tourney->trigger();
        const QByteArray plr = folder.Read("Data/Sunday.plr");
        EXPECT_EQ(plr.size(), 64);

        // A removal that is not confirmed changes nothing.
        Select(w.Playing_List, {"Bo,Ray"});
        script.answers.push_back(Answer::Cancel);
        w.SpeedButton3->click();
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].text,
                  QStringLiteral("This will remove player from list and clear settings.\nDo you wish to continue?"));
        EXPECT_EQ(script.messages[0].caption, QStringLiteral("Remove Player"));
        EXPECT_EQ(script.messages[0].buttons, Buttons::OK_Cancel);
        EXPECT_EQ(Items(w.Playing_List), (QStringList{"Ann,Lee", "Bo,Ray"}));
        EXPECT_EQ(folder.Read("Data/Sunday.plr"), plr);
        w.CancelBtn->click();
    });
    EXPECT_EQ(folder.Read("Data/Sunday.plr").size(), 64);
    EXPECT_FALSE(QFile::exists(folder.data() + QStringLiteral("Sunday.trn")));
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Default.trn"));
}

TEST_F(Wizard_Test, GoingBackAndRenamingLoadsTheNewName)
{
    folder.Write("Data/Second.trn", "[Setup]\nTime=45\n");
    Start();
    Add_Database_Player(QStringLiteral("Ann"), QStringLiteral("Lee"));
    Run_Wizard([&](TWizardDlg& w) {
        w.NameEdt->setText(QStringLiteral("First"));
        Next(w, 5);
        Select(w.Available_List, {"Ann,Lee"});
        w.Move_To_Tourney->trigger();
        w.BackBtn->click();
        w.BackBtn->click();
        w.BackBtn->click();
        w.BackBtn->click();
        w.BackBtn->click();
        ASSERT_EQ(w.Step(), 1);
        w.NameEdt->setText(QStringLiteral("Second"));
        Next(w);
        EXPECT_EQ(w.Tourney->Name, QStringLiteral("Second.trn"));
        EXPECT_EQ(w.Tourney->Time, 45);
        Next(w, 4);
        // The players shown are those of the new name's files.
        EXPECT_TRUE(Items(w.Playing_List).isEmpty());
        w.FinishBtn->click();
    });
    EXPECT_EQ(folder.Read("Data/First.plr").size(), 32);
    EXPECT_EQ(folder.Read("Data/Second.plr").size(), 0);
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Second.trn"));
}

// The name stored is the name the next start reopens: blanks around it go, a
// dot inside it is part of it, and names no file can carry are refused on
// the first step.
TEST_F(Wizard_Test, TheNameGivenIsTheTournamentReopened)
{
    folder.Write("Data/Club 1.trn", "[Setup]\nTime=33\n");
    Start();
    Run_Wizard([this](TWizardDlg& w) {
        const QString refused[] = {QStringLiteral("\u0141ukasz Cup"), QString(201, QLatin1Char('n')),
                                   QStringLiteral("nul\u0000byte")};
        for (const QString& bad : refused) {
            w.NameEdt->setText(bad);
            Next(w);
            EXPECT_EQ(w.Step(), 1);
        }
        ASSERT_EQ(script.messages.size(), 3u);
        EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral(": \u0141\n")));
        EXPECT_TRUE(script.messages[1].text.contains(QStringLiteral("too long")));
        // 196 characters and ".trn" still make a file.
        w.NameEdt->setText(QString(196, QLatin1Char('n')));
        Next(w);
        EXPECT_EQ(w.Step(), 2);
        w.BackBtn->click();

        w.NameEdt->setText(QStringLiteral("  Club 1.6 "));
        Next(w);
        EXPECT_EQ(w.Tourney->Name, QStringLiteral("Club 1.6.trn"));
        EXPECT_EQ(w.Tourney->Time, 20); // not "Club 1"'s 33 minutes
        Next(w, 4);
        w.FinishBtn->click();
    });
    EXPECT_EQ(script.messages.size(), 3u);
    EXPECT_EQ(folder.Read("Data/Club 1.trn"), QByteArray("[Setup]\nTime=33\n"));
    EXPECT_TRUE(QFile::exists(folder.data() + QStringLiteral("Club 1.6.trn")));
    EXPECT_FALSE(QFile::exists(folder.data() + QString(196, QLatin1Char('n')) + QStringLiteral(".trn")));

    // The next start opens what the wizard named.
    Finish();
    Start();
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Club 1.6.trn"));
    EXPECT_EQ(form->Current_Tourney->Trn_Path, folder.data() + QStringLiteral("Club 1.6.trn"));
}

TEST_F(Wizard_Test, LevelLengthStaysWithinOneToFiftyNine)
{
    Start();
    Run_Wizard([](TWizardDlg& w) {
        w.Timer_Spin->Set_Value(0);
        EXPECT_EQ(w.Timer_Spin->value(), 1);
        w.Timer_Spin->Set_Value(80);
        EXPECT_EQ(w.Timer_Spin->value(), 59);
        EXPECT_TRUE(w.Timer_Spin->findChild<QLineEdit*>()->isReadOnly());
        w.CancelBtn->click();
    });
}

// The schedule step holds a small blind, a big blind and an ante for each of
// the twenty levels: a six-figure amount shows whole in every box, no box
// covers another, and the kind of ante sits below the schedule on the page.
TEST_F(Wizard_Test, EveryScheduleBoxShowsASixFigureAmountWhole)
{
    Start();
    Run_Wizard([](TWizardDlg& w) {
        w.NameEdt->setText(QStringLiteral("Friday"));
        Next(w, 2);
        ASSERT_EQ(w.Step(), 3);
        const QRect group = w.Blind_Group->geometry();
        EXPECT_TRUE(w.ThirdPage->rect().contains(group));
        EXPECT_GE(w.Ante_Type_Combo->geometry().top(), group.bottom());
        EXPECT_LE(w.Ante_Type_Combo->geometry().bottom(), w.ThirdPage->height());
        std::vector<QLineEdit*> boxes;
        for (int i = 0; i < Level_Count; ++i)
            boxes.insert(boxes.end(), {w.SB_Edit[i], w.BB_Edit[i], w.Ante_Edit[i]});
        for (QLineEdit* box : boxes) {
            box->setText(QStringLiteral("250000"));
            // The frame and the line edit's own margins take four pixels a side.
            const int needed = box->fontMetrics().horizontalAdvance(box->text()) + 8;
            EXPECT_GE(box->width(), needed) << box->objectName().toStdString();
            EXPECT_TRUE(w.Blind_Group->rect().contains(box->geometry())) << box->objectName().toStdString();
        }
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = i + 1; j < boxes.size(); ++j)
                EXPECT_FALSE(boxes[i]->geometry().intersects(boxes[j]->geometry()))
                    << boxes[i]->objectName().toStdString() << " / " << boxes[j]->objectName().toStdString();
        w.CancelBtn->click();
    });
}

} // namespace
