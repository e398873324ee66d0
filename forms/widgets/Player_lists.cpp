#include "forms/widgets/Player_lists.h"

#include <QApplication>
#include <QPainter>

#include <QListWidget>
#include <algorithm>

bool Sorts_Before(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

void Fill_Sorted(QListWidget* list, QStringList texts)
{
    std::sort(texts.begin(), texts.end(), Sorts_Before);
    list->clear();
    list->addItems(texts);
}

void Add_Sorted(QListWidget* list, const QString& text)
{
    int low = 0;
    int high = list->count();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (Sorts_Before(list->item(mid)->text(), text))
            low = mid + 1;
        else
            high = mid;
    }
    list->insertItem(low, text);
}

QStringList Selected_Texts(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            texts << list->item(row)->text();
    return texts;
}

void Remove_Selected(QListWidget* list)
{
    for (int row = list->count() - 1; row >= 0; --row)
        if (list->item(row)->isSelected())
            delete list->takeItem(row);
}

bool Holds_Text(const QListWidget* list, const QString& text)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == text)
            return true;
    return false;
}

namespace {
constexpr int Row_Padding_X = 3;
constexpr int Row_Padding_Y = 2;
} // namespace

QSize Roomy_Rows_Delegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(2 * Row_Padding_X, 2 * Row_Padding_Y);
}

void Roomy_Rows_Delegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QWidget* view = row.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, view);
    // The style keeps its own margin before the text; no focus frame in the row.
    row.rect.adjust(0, Row_Padding_Y, 0, -Row_Padding_Y);
    row.state &= ~QStyle::State_HasFocus;
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, view);
}
