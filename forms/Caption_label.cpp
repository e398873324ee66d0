#include "forms/Caption_label.h"

QLabel* Caption_Label(QWidget* parent, const QString& text, const QRect& r, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(r);
    label->setAlignment(align);
    return label;
}
