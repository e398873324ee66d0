#include "forms/print/Print_commands.h"

#include "forms/main_window/Main_form.h"
#include "forms/widgets/File_menu_items.h"
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
    const QList<QAction*> items = Insert_File_Items(form->menuBar(), form->Exit1,
                                                    {{QStringLiteral("Print1"), Print_Sheets}, {QStringLiteral("SavePdf1"), Save_Pdf}});
    if (items.size() == 2)
        Print1 = items[0], SavePdf1 = items[1];
}

void Print_Commands::Open_Dialog(Print_Output output)
{
    // The sheets show what the pages hold, typed values included.
    form_->Save_Setup->trigger();
    auto dialog = std::make_unique<TPrint_Dlg>(form_, output);
    host().Show_Modal(dialog.get());
}
