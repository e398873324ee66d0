#include "forms/print/Print_commands.h"

#include "forms/main_window/Main_form.h"
#include "forms/print/Print_dlg.h"
#include "platform/Guard.h"
#include "platform/Host.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <memory>

Print_Commands::Print_Commands(TMainForm* form) : QObject(form), form_(form)
{
    Print_Sheets = new QAction(tr("Print..."), form);
    Print_Sheets->setObjectName(QStringLiteral("Print_Sheets"));
    Print_Sheets->setToolTip(tr("Print seat cards, the structure, the results or the season's standings"));
    connect(Print_Sheets, &QAction::triggered, this, [this] { Guarded([this] { Open_Dialog(Print_Output::Printer); }); });
    Save_Pdf = new QAction(tr("Save as PDF..."), form);
    Save_Pdf->setObjectName(QStringLiteral("Save_Pdf"));
    Save_Pdf->setToolTip(tr("The same sheets as a PDF file"));
    connect(Save_Pdf, &QAction::triggered, this, [this] { Guarded([this] { Open_Dialog(Print_Output::Pdf); }); });

    // File menu: after the tournament commands, before Exit.
    for (QAction* a : form->menuBar()->actions()) {
        QMenu* file = a->menu();
        if (!file || a->text() != tr("&File"))
            continue;
        const QList<QAction*> items = file->actions();
        const qsizetype exit_at = items.indexOf(form->Exit1);
        QAction* before = exit_at > 0 && items[exit_at - 1]->isSeparator() ? items[exit_at - 1] : form->Exit1;
        file->insertSeparator(before);
        Print1 = new QAction(Print_Sheets->text(), file);
        Print1->setObjectName(QStringLiteral("Print1"));
        SavePdf1 = new QAction(Save_Pdf->text(), file);
        SavePdf1->setObjectName(QStringLiteral("SavePdf1"));
        file->insertActions(before, {Print1, SavePdf1});
        connect(Print1, &QAction::triggered, Print_Sheets, &QAction::trigger);
        connect(SavePdf1, &QAction::triggered, Save_Pdf, &QAction::trigger);
    }
}

void Print_Commands::Open_Dialog(Print_Output output)
{
    // The sheets show what the pages hold, typed values included.
    form_->Save_Setup->trigger();
    auto dialog = std::make_unique<TPrint_Dlg>(form_, output);
    host().Show_Modal(dialog.get());
}
