#include "forms/widgets/Caption_label.h"

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

void Tint_Caption(QLabel* label, const QColor& colour, int pixel_size, bool bold, qreal letter_spacing)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    QFont f = label->font();
    if (pixel_size > 0)
        f.setPixelSize(pixel_size);
    if (bold)
        f.setBold(true);
    if (letter_spacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letter_spacing);
    label->setFont(f);
}
