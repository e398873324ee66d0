// The main window's frame: start-up, shut-down, the save-and-reload cycle,
// opening and creating tournaments, and the error paths.
#include "Main_window_test.h"

#include "forms/widgets/Spin_box.h"
#include "model/Player.h"
#include "platform/Program_folder.h"

#include <QPushButton>
#include <QTest>
#include <QImage>
#include <QPixmap>
#include <QColor>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QToolButton>

namespace {

class Main_Form_Test : public Main_Window_Test {
protected:
    QString Settings_Text() const
    {
        QFile f(Settings_Path());
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
};

TEST_F(Main_Form_Test, FirstStartInAnEmptyFolder)
{
    Start();
    EXPECT_TRUE(QDir(folder.path() + "Data").exists());
    EXPECT_TRUE(QDir(folder.path() + "Reports").exists());
    EXPECT_EQ(script.modals_shown.value(0), QStringLiteral("Splash"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Velmora: Home Edition"));
    EXPECT_EQ(form->centralWidget()->size(), QSize(882, 638));
    EXPECT_EQ(form->Tourney_Name->text(), QStringLiteral("Default.trn"));
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("20:00"));
    EXPECT_EQ(form->Blind_Timer2->text(), QStringLiteral("20:00"));
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_TRUE(form->SpeedButton3->isChecked());
    // The reading defaults of the schedule, not the construction values.
    EXPECT_EQ(form->SB_Edit[2]->text(), QStringLiteral("20"));
    EXPECT_EQ(form->BB_Edit[19]->text(), QStringLiteral("15000"));
    EXPECT_EQ(form->Current_Tourney->Total, 0);
    EXPECT_TRUE(script.messages.empty());

    // Nothing is written before shut-down; then the tournament and settings are.
    EXPECT_FALSE(QFile::exists(folder.data() + "Default.trn"));
    Finish();
    EXPECT_TRUE(QFile::exists(folder.data() + "Default.trn"));
    EXPECT_TRUE(QFile::exists(folder.data() + "Default.plr"));
    EXPECT_EQ(QFileInfo(folder.data() + "Default.plr").size(), 0);
    EXPECT_TRUE(Settings_Text().contains(QStringLiteral("[Parameters]\nLast Tourney=Default.trn\n")));
    EXPECT_TRUE(QFileInfo(Settings_Path()).fileName().endsWith(QStringLiteral(".ini")));
}

// Leftovers of interrupted report writes go at start-up, as those in Data/
// do; the logo the program writes has the shape the pages show it in.
TEST_F(Main_Form_Test, StartUpTidiesTheReportsFolderAndTheLogoKeepsItsShape)
{
    folder.Write("Reports/Top10.htm.velmora-tmp-a1b2c3", "half a page");
    folder.Write("Reports/Top10.htm", "old page");
    folder.Write("Data/Default.trn.velmora-tmp-zz", "half a file");
    Start();
    EXPECT_EQ(QDir(folder.path() + "Reports").entryList(QDir::Files), QStringList{"Top10.htm"});
    EXPECT_FALSE(QFile::exists(folder.data() + "Default.trn.velmora-tmp-zz"));

    form->Create_Top10->trigger();
    const QString page = QString::fromLatin1(folder.Read("Reports/Top10.htm"));
    const int at = page.indexOf(QStringLiteral("<img src=\"logo.jpg\" width=\""));
    ASSERT_GE(at, 0);
    const QStringList size = page.mid(at).section(QLatin1Char('>'), 0, 0).split(QLatin1Char('"'));
    const double shown = size.value(3).toDouble() / size.value(5).toDouble(); // width / height on the page
    const QImage logo(folder.path() + "Reports/logo.jpg");
    ASSERT_FALSE(logo.isNull());
    EXPECT_NEAR(double(logo.width()) / logo.height(), shown, 0.01 * shown);
}

TEST_F(Main_Form_Test, StartsWithTheLastTournamentOfTheSettings)
{
    folder.Write(QFileInfo(Settings_Path()).fileName(), "[Parameters]\r\nLast Tourney=Friday.trn\r\n");
    folder.Write("Data/Friday.trn", "[Setup]\r\nTime=7\r\nSB0=50\r\nBB0=100\r\n");
    folder.Write("Data/Friday.plr", QByteArray(64, '\0').replace(0, 7, "Ann,Lee").replace(32, 7, "Bob,Day"));
    Start();
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Tourney_Name->text(), QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("7:00"));
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("50"));
    EXPECT_EQ(form->Big_Blind2->text(), QStringLiteral("100"));
    EXPECT_EQ(form->Current_Tourney->Total, 2);
}

TEST_F(Main_Form_Test, EmptyLastTourneyFallsBackToTheDefault)
{
    folder.Write(QFileInfo(Settings_Path()).fileName(), "[Parameters]\nLast Tourney=\n");
    Start();
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Default.trn"));
    Finish();
    EXPECT_TRUE(QFile::exists(folder.data() + "Default.trn"));
    EXPECT_FALSE(QFile::exists(folder.data() + ".trn"));
}

TEST_F(Main_Form_Test, EveryPageButtonShowsItsPageSavesAndReloads)
{
    Start();
    QToolButton* buttons[] = {form->SpeedButton3, form->SpeedButton4, form->SpeedButton5,
                              form->SpeedButton6, form->SpeedButton7};
    form->BB_Edit[0]->setText(QStringLiteral("12"));
    for (int page = 4; page >= 0; --page) {
        buttons[page]->click();
        EXPECT_EQ(form->PageControl1->currentIndex(), page);
        EXPECT_TRUE(buttons[page]->isChecked());
        for (int other = 0; other < 5; ++other) {
            if (other != page) {
                EXPECT_FALSE(buttons[other]->isChecked());
            }
        }
    }
    const QString trn = QString::fromLatin1(folder.Read("Data/Default.trn"));
    EXPECT_TRUE(trn.contains(QStringLiteral("\nBB0=12\n")));
    EXPECT_EQ(form->Current_Tourney->Blinds[0].BB, 12);
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(Main_Form_Test, OpenStoresThePagesOfTheOldTournamentAndLoadsTheChosenOne)
{
    folder.Write("Data/Friday.trn", "[Setup]\nTime=9\n");
    Start();
    form->Timer_Spin->Set_Value(33); // a page edit: kept by Open
    form->Toggle_Start->trigger();
    form->Next_Blind->trigger();
    Tick(5);

    script.files.push_back(folder.data() + QStringLiteral("Friday.trn"));
    form->Open_Tourney->trigger();
    ASSERT_EQ(script.file_dialogs.size(), 1u);
    const File_Dialog& d = script.file_dialogs[0];
    EXPECT_EQ(d.title, QStringLiteral("Open Tournament..."));
    EXPECT_EQ(d.filter, QStringLiteral("Velmora Tourney (*.trn)|*.trn"));
    EXPECT_EQ(d.default_ext, QStringLiteral("trn"));
    EXPECT_EQ(QDir(d.initial_dir).canonicalPath(), QDir(folder.data()).canonicalPath());
    EXPECT_TRUE(d.must_exist);

    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Tourney_Name->text(), QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Timer_Spin->value(), 9);
    // The tournament left behind was stored with what its pages showed.
    const QString old_trn = QString::fromLatin1(folder.Read("Data/Default.trn"));
    EXPECT_TRUE(old_trn.contains(QStringLiteral("Time=33\n")));
    // The opened tournament starts at level 1 with a whole level, paused.
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Start"));
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("9:00"));
    EXPECT_EQ(form->Small_Blind->text(), QStringLiteral("5"));

    // Cancelling changes nothing.
    form->Open_Tourney->trigger();
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
}

TEST_F(Main_Form_Test, OpenFromAnotherFolderBringsTheTournamentIntoData)
{
    const QString outside = folder.path() + QStringLiteral("usb/");
    folder.Write("usb/Game 1: Friday.trn", "[Setup]\nTime=12\n");
    const QByteArray entry = QByteArray("Ann,Lee").leftJustified(20, '\0') + QByteArray(12, '\0');
    folder.Write("usb/Game 1: Friday.plr", entry);
    Start();
    script.files.push_back(outside + QStringLiteral("Game 1: Friday.trn"));
    form->Open_Tourney->trigger();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Game 1: Friday.trn"));
    EXPECT_EQ(form->Timer_Spin->value(), 12);
    EXPECT_EQ(form->Current_Tourney->Total, 1);
    EXPECT_EQ(folder.Read("Data/Game 1: Friday.plr"), entry);

    // A tournament of that name in Data is replaced only when the operator says so.
    folder.Write("usb/Game 1: Friday.trn", "[Setup]\nTime=44\n");
    script.answers.push_back(Answer::Cancel);
    script.files.push_back(outside + QStringLiteral("Game 1: Friday.trn"));
    form->Open_Tourney->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].buttons, Buttons::Yes_No_Cancel);
    EXPECT_EQ(form->Timer_Spin->value(), 12);

    script.answers.push_back(Answer::No); // open the one in Data
    script.files.push_back(outside + QStringLiteral("Game 1: Friday.trn"));
    form->Open_Tourney->trigger();
    EXPECT_EQ(form->Timer_Spin->value(), 12);

    QFile::remove(outside + QStringLiteral("Game 1: Friday.plr"));
    script.answers.push_back(Answer::Yes);
    script.files.push_back(outside + QStringLiteral("Game 1: Friday.trn"));
    form->Open_Tourney->trigger();
    EXPECT_EQ(form->Timer_Spin->value(), 44);
    // Without entries beside it, it brings none of the old ones along.
    EXPECT_EQ(form->Current_Tourney->Total, 0);
}

TEST_F(Main_Form_Test, LeavingATournamentThatCannotBeStoredSaysSoAndStillOpens)
{
    folder.Write("Data/Friday.trn", "[Setup]\nTime=9\n");
    Start();
    form->SpeedButton5->click(); // Default.trn now exists
    QFile::setPermissions(folder.data() + QStringLiteral("Default.trn"), QFileDevice::ReadOwner);
    script.files.push_back(folder.data() + QStringLiteral("Friday.trn"));
    form->Open_Tourney->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("Default.trn")));
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Friday.trn"));
    EXPECT_EQ(form->Timer_Spin->value(), 9);
}

TEST_F(Main_Form_Test, NewTournamentHasDefaultsAndIsWrittenAtShutDown)
{
    Start();
    script.files.push_back(folder.path() + QStringLiteral("Saturday"));
    form->New_Tourney->trigger();
    ASSERT_EQ(script.file_dialogs.size(), 1u);
    EXPECT_EQ(script.file_dialogs[0].title, QStringLiteral("Save tournament as..."));
    // An existing name opens that tournament: the dialog must not ask about
    // replacing it.
    EXPECT_FALSE(script.file_dialogs[0].confirm_overwrite);
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Saturday.trn"));
    EXPECT_EQ(form->Tourney_Name->text(), QStringLiteral("Saturday.trn"));
    EXPECT_EQ(form->SB_Edit[13]->text(), QStringLiteral("750"));
    EXPECT_FALSE(QFile::exists(folder.data() + "Saturday.trn"));
    Finish();
    EXPECT_TRUE(QFile::exists(folder.data() + "Saturday.trn"));
    EXPECT_TRUE(QFile::exists(folder.data() + "Saturday.plr"));
    EXPECT_TRUE(Settings_Text().contains(QStringLiteral("Last Tourney=Saturday.trn")));
}

TEST_F(Main_Form_Test, ReadOnlyTournamentFileWarnsAndShowsTheFileAgain)
{
    const QString trn = folder.Write("Data/Default.trn", "[Setup]\nTime=15\n");
    QFile::setPermissions(trn, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray before = folder.Read("Data/Default.trn");
    Start();
    form->Timer_Spin->Set_Value(30);
    form->SpeedButton5->click();

    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Input Warning"));
    EXPECT_TRUE(script.messages[0].text.startsWith(
        QStringLiteral("Make sure all fields are filled out.\nAll unused blind level set to 0.")));
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("Default.trn")));
    EXPECT_EQ(form->Timer_Spin->value(), 15);
    EXPECT_EQ(folder.Read("Data/Default.trn"), before);
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
}

TEST_F(Main_Form_Test, UnwritableDataFolderIsReportedAndTheOldFilesSurvive)
{
    folder.Write("Data/Default.trn", "[Setup]\nTime=15\n");
    folder.Write("Data/Default.plr", QByteArray(32, '\0').replace(0, 7, "Ann,Lee"));
    const QByteArray trn_before = folder.Read("Data/Default.trn");
    const QByteArray plr_before = folder.Read("Data/Default.plr");
    Start();
    QFile::setPermissions(folder.data(), QFile::ReadOwner | QFile::ExeOwner);
    form->Timer_Spin->Set_Value(30);
    form->SpeedButton4->click();
    QFile::setPermissions(folder.data(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("Unable to write to")));
    EXPECT_EQ(folder.Read("Data/Default.trn"), trn_before);
    EXPECT_EQ(folder.Read("Data/Default.plr"), plr_before);
    // The program goes on: the next switch saves normally.
    form->SpeedButton3->click();
    EXPECT_EQ(script.messages.size(), 1u);
}

TEST_F(Main_Form_Test, ExitWritesThePlayerDatabaseAndClosesTheWindow)
{
    Start();
    form->show();
    CPlayer p;
    p.Empty = 0;
    Set_Field(p.First, Player_Text_Size, QStringLiteral("Ann"));
    Set_Field(p.Last, Player_Text_Size, QStringLiteral("Lee"));
    Player_DB.Player[0] = p;
    Player_DB.Count = 1;
    form->Exit1->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(QFileInfo(folder.data() + "PdB.data").size(), 116);
}

TEST_F(Main_Form_Test, AboutBoxIsShownModally)
{
    Start();
    form->About1->trigger();
    EXPECT_EQ(script.modals_shown.last(), QStringLiteral("AboutBox"));
}

TEST_F(Main_Form_Test, MenuHoldsEveryCommand)
{
    Start();
    QStringList titles;
    for (QAction* a : form->menuBar()->actions())
        titles << a->text().remove(QLatin1Char('&'));
    EXPECT_EQ(titles, (QStringList{"File", "Reports", "View", "Tools", "Help"}));
    EXPECT_TRUE(form->New1->isEnabled());
    EXPECT_TRUE(form->Open1->isEnabled());
    EXPECT_TRUE(form->PlaylistEditor1->isEnabled());
    EXPECT_TRUE(form->Wizard1->isEnabled());
    EXPECT_TRUE(form->ContactList1->isEnabled());
    EXPECT_TRUE(form->Top10Results1->isEnabled());
    EXPECT_TRUE(form->SeatingReport1->isEnabled());
    // A disabled command does nothing when executed: without a playlist
    // there is nothing to edit.
    ASSERT_FALSE(form->Edit_PlayList->isEnabled());
    form->Edit_PlayList->trigger();
    EXPECT_EQ(script.modals_shown.size(), 1); // the splash only
}

TEST_F(Main_Form_Test, ErrorInACommandIsShownAndTheProgramGoesOn)
{
    Start();
    // The data folder replaced by a file: Open's save of the old tournament fails.
    QDir(folder.data()).removeRecursively();
    folder.Write("Data", "not a folder");
    script.files.push_back(QStringLiteral("/x/Friday.trn"));
    form->Open_Tourney->trigger();
    // Leaving the tournament is told first; copying the chosen one in then
    // fails and ends the command.
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("Default.trn")));
    EXPECT_TRUE(script.messages[1].text.startsWith(QStringLiteral("Unable to write to")));
    // The rest of the command was skipped.
    EXPECT_EQ(form->Last_Tourney, QStringLiteral("Default.trn"));
}

} // namespace

namespace {

TEST_F(Main_Form_Test, NewStoresTheOldTournamentAndStartsAtLevelOneStopped)
{
    folder.Write("Data/Saturday.trn", "[Setup]\nTime=25\n");
    Start();
    form->SB_Edit[0]->setText(QStringLiteral("7")); // typed, not yet saved
    form->Toggle_Start->trigger();
    form->Next_Blind->trigger();
    form->Next_Blind->trigger();
    Tick(3);
    script.files.push_back(folder.data() + QStringLiteral("Saturday.trn"));
    form->New_Tourney->trigger();
    EXPECT_TRUE(script.messages.empty());
    EXPECT_TRUE(QString::fromLatin1(folder.Read("Data/Default.trn")).contains(QStringLiteral("SB0=7\n")));
    // The stored tournament of that name is opened, at level 1, paused, full.
    EXPECT_EQ(form->Timer_Spin->value(), 25);
    EXPECT_EQ(form->CurrentLevel, 0);
    EXPECT_NE(form->Clock.Paused, 0);
    EXPECT_EQ(form->BitBtn1->text(), QStringLiteral("Start"));
    EXPECT_EQ(form->Blind_Timer->text(), QStringLiteral("25:00"));
    EXPECT_EQ(form->Level_Label->text(), QStringLiteral("Level 1 of 20"));
    EXPECT_EQ(form->Blind_Timer_Colour(), QColor(Qt::black));
}

TEST_F(Main_Form_Test, OnlyThePageButtonsSwitchPages)
{
    Start();
    form->show();
    form->SpeedButton5->click();
    ASSERT_EQ(form->PageControl1->currentIndex(), 2);
    QFile::remove(folder.data() + QStringLiteral("Default.trn"));
    QWidget* edit = form->SB_Edit[3];
    edit->setFocus();
    for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
        QTest::keyClick(edit, Qt::Key_Tab, modifiers);
        QTest::keyClick(edit, Qt::Key_Backtab, modifiers);
        QTest::keyClick(edit, Qt::Key_PageDown, modifiers);
        QTest::keyClick(edit, Qt::Key_PageUp, modifiers);
    }
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
    EXPECT_TRUE(form->SpeedButton5->isChecked());
    EXPECT_FALSE(QFile::exists(folder.data() + QStringLiteral("Default.trn")));
    // A page button switches and saves.
    form->SpeedButton6->click();
    EXPECT_EQ(form->PageControl1->currentIndex(), 3);
    EXPECT_TRUE(QFile::exists(folder.data() + QStringLiteral("Default.trn")));
}

TEST_F(Main_Form_Test, ExitClosesEvenWhenTheDatabaseCannotBeWritten)
{
    Start();
    form->show();
    folder.Write("Data/PdB.data", QByteArray());
    QFile::setPermissions(folder.data() + QStringLiteral("PdB.data"), QFileDevice::ReadOwner);
    form->Exit1->trigger();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("PdB.data")));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Main_Form_Test, HalfSecondTimerRunsThePageCommandsByNameInOrder)
{
    Start();
    QStringList ran;
    QObject listening; // the connections end with the test, before the shut-down's reload
    // The page commands record when they run; look-alike names must not run.
    for (const char* name : {"Chip3_Change", "Chip1_Change", "Update_Payout", "Chip5_Change", "Chip2_Change",
                             "Chip4_Change"}) {
        auto* action = form->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        QObject::connect(action, &QAction::triggered, &listening, [&ran, name] { ran << QLatin1String(name); });
    }
    for (const char* name : {"Chip_Changes_Not", "Chip6_Change", "Update_Payouts"}) {
        auto* action = new QAction(form.get());
        action->setObjectName(QLatin1String(name));
        QObject::connect(action, &QAction::triggered, &listening, [&ran, name] { ran << QLatin1String(name); });
    }
    form->Timer2Timer(); // Action page: nothing
    EXPECT_TRUE(ran.isEmpty());
    form->SpeedButton6->click();
    ran.clear(); // the reload runs some of them itself
    form->Timer2Timer();
    EXPECT_EQ(ran, (QStringList{"Chip1_Change", "Chip2_Change", "Chip3_Change", "Chip4_Change", "Chip5_Change"}));
    form->SpeedButton7->click();
    ran.clear();
    form->Timer2Timer();
    EXPECT_EQ(ran, QStringList{"Update_Payout"});
}

// What the room sees: the window is grabbed and the pixels inside both time
// labels are read, so a label whose background is not painted shows.
TEST_F(Main_Form_Test, BothTimeLabelsArePaintedRedInTheLastTenSeconds)
{
    folder.Write("Data/Default.trn", "[Setup]\nTime=1\n");
    Start();
    form->show();
    auto pixel = [this](QLabel* label) {
        const QImage shot = form->grab().toImage();
        const qreal scale = shot.devicePixelRatio();
        const QPoint at = label->mapTo(form.get(), QPoint(3, 3)) * scale;
        return shot.pixelColor(at);
    };
    EXPECT_EQ(pixel(form->Blind_Timer), QColor(Qt::black));
    EXPECT_EQ(pixel(form->Blind_Timer2), QColor(Qt::black));
    form->Toggle_Start->trigger();
    Tick(50); // 0:10
    EXPECT_EQ(pixel(form->Blind_Timer), QColor(255, 0, 0));
    EXPECT_EQ(pixel(form->Blind_Timer2), QColor(255, 0, 0));
    Tick(); // 0:09
    EXPECT_EQ(pixel(form->Blind_Timer), QColor(Qt::black));
    EXPECT_EQ(pixel(form->Blind_Timer2), QColor(Qt::black));
    // The frame around the left panel's clock is still drawn.
    const QImage shot = form->grab().toImage();
    const QPoint frame = form->Blind_Timer2_Border->mapTo(form.get(), QPoint(0, 10));
    EXPECT_EQ(shot.pixelColor(frame * shot.devicePixelRatio()), QColor(0x66, 0x66, 0x66));
}

// The level buttons beside the blinds carry their arrows, also after their
// commands have changed (a changed command hands its own picture to the button).
TEST_F(Main_Form_Test, LevelButtonsShowTheirArrowsOnTheWindow)
{
    Start();
    form->show();
    form->Next_Blind->setEnabled(false);
    form->Next_Blind->setEnabled(true);
    form->Prev_Blind->setToolTip(form->Prev_Blind->toolTip());
    const QImage shot = form->grab().toImage();
    for (QToolButton* button : {form->NextBlind_Btn, form->PrevBlind_Btn}) {
        // The arrow is the only dark ink inside the light button.
        const QRect inside = QRect(button->mapTo(form.get(), QPoint(6, 6)), button->size() - QSize(12, 12));
        int dark = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (qGray(shot.pixel(QPoint(x, y) * shot.devicePixelRatio())) < 140)
                    ++dark;
        EXPECT_GT(dark, 20) << button->objectName().toStdString();
    }
}

} // namespace
