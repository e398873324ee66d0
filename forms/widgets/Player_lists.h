#pragma once
// The player lists of the Players page and the wizard: kept in alphabetical
// order whatever the case (texts that differ only in case keep a fixed order
// among themselves), with multiple selection.
#include <QString>
#include <QStringList>

#include <QStyledItemDelegate>

class QListWidget;

// Rows a little taller and text a little in from the edge, so a name is hit
// in a hurry; the selection still fills the whole row.
class Roomy_Rows_Delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

bool Sorts_Before(const QString& a, const QString& b);
// Replaces the list's items with the texts, sorted.
void Fill_Sorted(QListWidget* list, QStringList texts);
// Inserts one text at its place.
void Add_Sorted(QListWidget* list, const QString& text);
// The selected items' texts, in list order.
QStringList Selected_Texts(const QListWidget* list);
void Remove_Selected(QListWidget* list);
bool Holds_Text(const QListWidget* list, const QString& text);
