#include "forms/widgets/File_menu_items.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QList<QAction*> Insert_File_Items(QMenuBar* bar, QAction* exit, const QList<QPair<QString, QAction*>>& commands)
{
    QList<QAction*> made;
    for (QAction* a : bar->actions()) {
        QMenu* file = a->menu();
        if (!file || a->text() != QMenu::tr("&File"))
            continue;
        const QList<QAction*> items = file->actions();
        const qsizetype exit_at = items.indexOf(exit);
        QAction* before = exit_at > 0 && items[exit_at - 1]->isSeparator() ? items[exit_at - 1] : exit;
        file->insertSeparator(before);
        for (const auto& [name, command] : commands) {
            QAction* item = new QAction(command->text(), file);
            item->setObjectName(name);
            file->insertAction(before, item);
            QObject::connect(item, &QAction::triggered, command, &QAction::trigger);
            made << item;
        }
    }
    return made;
}
