#pragma once
// Fixture for the main window: a fresh program folder, the scripted host, a
// recording sound player and the long-lived dialogs (player entry, seating,
// playlist editor, About box).
#include "Recording_player.h"
#include "Scripted_host.h"
#include "Test_folder.h"

#include "forms/dialogs/About_box.h"
#include "forms/main_window/Main_form.h"
#include "forms/dialogs/Player_entry.h"
#include "forms/dialogs/Playlist_editor.h"
#include "forms/dialogs/Seat_form.h"
#include "platform/Guard.h"

#include <QAbstractItemView>
#include <QTableWidget>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class Main_Window_Test : public ::testing::Test {
protected:
    Test_Folder folder;
    Scripted_Host script;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TPlaylist_Form> editor;
    std::unique_ptr<TAboutBox> about;
    std::unique_ptr<TPlayerEntry_Form> entry;
    std::unique_ptr<TSeat_Form> seating;
    Recording_Player* player = nullptr;
    // The monotonic clock the window paces its ticks by; it stands still
    // unless a test moves it, so every timer event is one second.
    qint64 monotonic_ms = 0;

    // Creates the main window as the program does at start-up.
    void Start()
    {
        form = std::make_unique<TMainForm>();
        form->Set_Monotonic_Clock([this] { return monotonic_ms; });
        auto recording = std::make_unique<Recording_Player>();
        player = recording.get();
        form->Set_Media_Player(std::move(recording));
        entry = std::make_unique<TPlayerEntry_Form>(form.get());
        PlayerEntry_Form = entry.get();
        seating = std::make_unique<TSeat_Form>(form.get());
        Seat_Form = seating.get();
        editor = std::make_unique<TPlaylist_Form>(form.get());
        Playlist_Form = editor.get();
        about = std::make_unique<TAboutBox>(form.get());
        AboutBox = about.get();
    }

    // Closes the program: the shut-down steps run.
    void Finish()
    {
        Playlist_Form = nullptr;
        AboutBox = nullptr;
        Seat_Form = nullptr;
        seating.reset();
        PlayerEntry_Form = nullptr;
        entry.reset();
        editor.reset();
        about.reset();
        form.reset();
    }

    void TearDown() override { Finish(); }

    // One timer event of the clock, with the program's error guard around it.
    void Tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            Guarded([this] { form->Timer1Timer(); });
    }

    QString Shown_Time() const { return form->Blind_Timer->text(); }

    // Chooses an item from the in/out chooser's list with the mouse.
    void Choose(const QString& text)
    {
        QComboBox* chooser = form->IO_Combo1;
        // The chooser closes once a choice is made: a further choice on the
        // same row opens it again, as the operator does with a click.
        if (!chooser->isVisible()) {
            QTableWidget* grid = form->All_Grid;
            const QRect cell = grid->visualRect(grid->model()->index(grid->currentRow(), 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        }
        chooser->showPopup();
        QAbstractItemView* list = chooser->view();
        const QRect item = list->visualRect(list->model()->index(chooser->findText(text), 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
        ASSERT_FALSE(list->isVisible());
    }

    // A file below the program folder that exists (the recording player only
    // opens existing files).
    QString Sound_File(const QString& name) { return folder.Write(QStringLiteral("Sounds/") + name, "RIFF"); }
};
