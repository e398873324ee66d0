#pragma once
#include "platform/Host.h"

// The production host: QMessageBox, QFileDialog, QDialog::exec, QDesktopServices,
// QPrintDialog.
class Qt_Host : public Host {
public:
    Answer Message(const QString& text, const QString& caption, Buttons buttons) override;
    QString Open_File(QWidget* parent, const File_Dialog& dialog) override;
    QString Save_File(QWidget* parent, const File_Dialog& dialog) override;
    int Show_Modal(QDialog* dialog) override;
    bool Shell_Open(const QString& path) override;
    bool Choose_Printer(QWidget* parent, QPrinter& printer) override;
};
