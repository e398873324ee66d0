#pragma once
// Every message box, file dialog, modal showing and shell open of the program
// goes through the Host. The program installs the Qt host; tests install a
// scripted one that answers questions, picks files and runs a scripted action
// instead of exec(), so every window runs headless.
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

enum class Buttons { OK, OK_Cancel, Yes_No, Yes_No_Cancel, Yes_No_Default_No };
enum class Answer { OK, Cancel, Yes, No };

// A file dialog as the program describes it. The filter uses the bar syntax:
// "MP3 (*.mp3)|*.mp3|Wave (*.wav)|*.wav"; filter_index is 1-based.
struct File_Dialog {
    QString title;
    QString filter;
    int filter_index = 1;
    QString initial_dir;
    QString default_ext;   // without the dot: "trn"
    bool must_exist = false;
    // Save dialogs: ask before an existing file is chosen. Off where choosing
    // an existing name has a meaning of its own (a new tournament of that name
    // opens the stored one).
    bool confirm_overwrite = true;
};

class Host {
public:
    virtual ~Host() = default;
    virtual Answer Message(const QString& text, const QString& caption, Buttons buttons) = 0;
    // The chosen path with '/' separators, or "" when the user cancels.
    virtual QString Open_File(QWidget* parent, const File_Dialog& dialog) = 0;
    virtual QString Save_File(QWidget* parent, const File_Dialog& dialog) = 0;
    // Shows the dialog modally and returns its result code.
    virtual int Show_Modal(QDialog* dialog) = 0;
    // Opens a file in the system's viewer.
    virtual bool Shell_Open(const QString& path) = 0;
    // The print dialog: the printer, its pages and copies; false when the
    // user cancels.
    virtual bool Choose_Printer(QWidget* parent, QPrinter& printer) = 0;
};

Host& host();
void Set_Host(Host* host); // not owned; nullptr restores the Qt host

// Converts the bar filter syntax to Qt's ";;" syntax ("MP3 (*.mp3);;Wave (*.wav)").
QString Qt_Filter(const QString& bar_filter);
// Adds ".ext" to a chosen name that has no extension.
QString With_Default_Ext(const QString& path, const QString& default_ext);
