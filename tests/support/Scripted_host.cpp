#include "Scripted_host.h"

#include "platform/Guard.h"

#include <QDialog>
#include <QPrinter>

Scripted_Host::Scripted_Host() { Set_Host(this); }

Scripted_Host::~Scripted_Host() { Set_Host(nullptr); }

Answer Scripted_Host::Message(const QString& text, const QString& caption, Buttons buttons)
{
    messages.push_back({text, caption, buttons});
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    if (buttons == Buttons::Yes_No_Default_No)
        return Answer::No;
    return buttons == Buttons::Yes_No || buttons == Buttons::Yes_No_Cancel ? Answer::Yes : Answer::OK;
}

QString Scripted_Host::Open_File(QWidget*, const File_Dialog& dialog)
{
    file_dialogs.push_back(dialog);
    if (files.empty())
        return {};
    QString f = files.front();
    files.pop_front();
    return f;
}

QString Scripted_Host::Save_File(QWidget* parent, const File_Dialog& dialog)
{
    QString f = Open_File(parent, dialog);
    return f.isEmpty() ? f : With_Default_Ext(f, dialog.default_ext);
}

int Scripted_Host::Show_Modal(QDialog* dialog)
{
    Nested_Loop_Scope scope;
    modals_shown << dialog->objectName();
    auto it = modal_scripts.find(dialog->objectName());
    // Showing runs the dialog's show event handlers like exec() would.
    dialog->show();
    int result = 0;
    if (it != modal_scripts.end())
        result = it->second(dialog);
    if (dialog->isVisible())
        dialog->done(result);
    else
        result = dialog->result();
    return result;
}

bool Scripted_Host::Shell_Open(const QString& path)
{
    shell_opened << path;
    return shell_open_result;
}

bool Scripted_Host::Choose_Printer(QWidget*, QPrinter& printer)
{
    ++printer_dialogs;
    if (printers.empty())
        return false;
    const QString file = printers.front();
    printers.pop_front();
    if (file.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
}
