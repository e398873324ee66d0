#include "forms/Caption_label.h"

QLabel* Caption_Label(QWidget* parent, const QString& text, const QRect& r, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(r);
    label->setAlignment(align);
    return label;
}

QLineEdit* Figure_Box(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setGeometry(r);
    return box;
}
