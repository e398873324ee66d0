#pragma once
#include "platform/Host.h"

#include <QString>

// The production host: QMessageBox, QFileDialog, QDialog::exec, QPrintDialog, and
// xdg-open (QDesktopServices where there is none) for the shell open.
class Qt_Host : public Host {
public:
    Answer Message(const QString& text, const QString& caption, Buttons buttons) override;
    QString Open_File(QWidget* parent, const File_Dialog& dialog) override;
    QString Save_File(QWidget* parent, const File_Dialog& dialog) override;
    int Show_Modal(QDialog* dialog) override;
    bool Shell_Open(const QString& path) override;
    bool Choose_Printer(QWidget* parent, QPrinter& printer) override;
};

// Opens a file with a program ("xdg-open path") and tells whether that
// could have worked: false when the program does not start or ends with a
// failure within wait_ms (xdg-open finds no viewer at once), true when it
// ends well or still runs then (a viewer it started in the foreground; it is
// left to run). Events are served while it waits, so the clock goes on.
bool Open_With(const QString& program, const QString& path, int wait_ms);
