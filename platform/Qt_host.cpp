#include "platform/Qt_host.h"

#include "platform/Guard.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
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
    // QDesktopServices starts xdg-open detached and reports success even
    // when it finds no viewer; run it here to hear how it ends.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return Open_With(opener, path, 3000);
}

bool Open_With(const QString& program, const QString& path, int wait_ms)
{
    // Owned by the application: a viewer in the foreground outlives this call.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    Nested_Loop_Scope scope;
    QEventLoop loop;
    bool ended = false, started = true, ended_well = false;
    QObject::connect(process, &QProcess::finished, &loop, [&](int code, QProcess::ExitStatus status) {
        ended = true;
        ended_well = status == QProcess::NormalExit && code == 0;
        loop.quit();
    });
    QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            started = false;
            loop.quit();
        }
    });
    QTimer::singleShot(wait_ms, &loop, &QEventLoop::quit);
    process->start(program, {path});
    if (started && !ended)
        loop.exec();
    if (!started) {
        process->deleteLater();
        return false;
    }
    return !ended || ended_well;
}

bool Qt_Host::Choose_Printer(QWidget* parent, QPrinter& printer)
{
    Nested_Loop_Scope scope;
    QPrintDialog dialog(&printer, Dialog_Parent(parent));
    return dialog.exec() == QDialog::Accepted;
}
