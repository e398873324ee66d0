#pragma once
// Menu items for a feature's commands in the File menu, after the
// tournament commands and before Exit, set apart by a separator.
#include <QList>
#include <QPair>
#include <QString>

class QAction;
class QMenuBar;

// Each item is named as given and runs its command; they are returned in order
// (none when the bar has no File menu).
QList<QAction*> Insert_File_Items(QMenuBar* bar, QAction* exit, const QList<QPair<QString, QAction*>>& commands);
