#include "platform/Qt_host.h"

#include "platform/Guard.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace {

QStringList Filter_List(const File_Dialog& d)
{
    return Qt_Filter(d.filter).split(QStringLiteral(";;"));
}

QString Selected_Filter(const File_Dialog& d)
{
    QStringList list = Filter_List(d);
    int i = d.filter_index - 1;
    return (i >= 0 && i < list.size()) ? list[i] : QString();
}

QWidget* Dialog_Parent(QWidget* parent)
{
    return parent ? parent : QApplication::activeWindow();
}

} // namespace

Answer Qt_Host::Message(const QString& text, const QString& caption, Buttons buttons)
{
    Nested_Loop_Scope scope;
    QMessageBox box(Dialog_Parent(nullptr));
    box.setWindowTitle(caption);
    box.setText(text);
    switch (buttons) {
    case Buttons::OK:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OK_Cancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::Yes_No:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::Yes_No_Default_No: // Enter and Esc both keep out what was asked about
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::Yes_No_Cancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::OK;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::Yes_No || buttons == Buttons::Yes_No_Default_No ? Answer::No : Answer::Cancel;
    }
}

QString Qt_Host::Open_File(QWidget* parent, const File_Dialog& d)
{
    Nested_Loop_Scope scope;
    QFileDialog dialog(Dialog_Parent(parent), d.title, d.initial_dir, Qt_Filter(d.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(d.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.selectNameFilter(Selected_Filter(d));
    if (!d.default_ext.isEmpty())
        dialog.setDefaultSuffix(d.default_ext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString Qt_Host::Save_File(QWidget* parent, const File_Dialog& d)
{
    Nested_Loop_Scope scope;
    QFileDialog dialog(Dialog_Parent(parent), d.title, d.initial_dir, Qt_Filter(d.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.confirm_overwrite);
    dialog.selectNameFilter(Selected_Filter(d));
    if (!d.default_ext.isEmpty())
        dialog.setDefaultSuffix(d.default_ext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return With_Default_Ext(dialog.selectedFiles().first(), d.default_ext);
}

int Qt_Host::Show_Modal(QDialog* dialog)
{
    Nested_Loop_Scope scope;
    return dialog->exec();
}

bool Qt_Host::Shell_Open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool Qt_Host::Choose_Printer(QWidget* parent, QPrinter& printer)
{
    Nested_Loop_Scope scope;
    QPrintDialog dialog(&printer, Dialog_Parent(parent));
    return dialog.exec() == QDialog::Accepted;
}
