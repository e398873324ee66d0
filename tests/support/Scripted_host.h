#pragma once
// The host used by tests: answers questions from a queue, picks files from a
// queue, runs a scripted action on a modal dialog instead of exec(), and
// records everything that was shown.
#include "platform/Host.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <vector>

class Scripted_Host : public Host {
public:
    struct Shown_Message {
        QString text;
        QString caption;
        Buttons buttons;
    };

    Scripted_Host();   // installs itself
    ~Scripted_Host() override; // restores the Qt host

    // Answers for the next questions; when the queue is empty OK / Yes is answered.
    std::deque<Answer> answers;
    // Paths for the next file dialogs; "" means cancel. Empty queue: cancel.
    std::deque<QString> files;
    // What to do when a dialog with this object name is shown modally; the
    // function's result is the modal result. Without a script the dialog is
    // closed at once with result 0.
    std::map<QString, std::function<int(QDialog*)>> modal_scripts;

    // The next print dialogs: a PDF file the "printer" writes, or "" to
    // cancel. Empty queue: cancel.
    std::deque<QString> printers;
    int printer_dialogs = 0;

    std::vector<Shown_Message> messages;
    std::vector<File_Dialog> file_dialogs;
    QStringList modals_shown;   // object names
    QStringList shell_opened;
    // What a shell open answers (false: no program could open the file).
    bool shell_open_result = true;

    Answer Message(const QString& text, const QString& caption, Buttons buttons) override;
    QString Open_File(QWidget* parent, const File_Dialog& dialog) override;
    QString Save_File(QWidget* parent, const File_Dialog& dialog) override;
    int Show_Modal(QDialog* dialog) override;
    bool Shell_Open(const QString& path) override;
    bool Choose_Printer(QWidget* parent, QPrinter& printer) override;
};
