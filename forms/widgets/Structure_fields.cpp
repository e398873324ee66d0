#include "forms/widgets/Structure_fields.h"

#include "platform/Text_lines.h"

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

QLineEdit* Ante_Box(QWidget* parent, int level, const QRect& r)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("Ante%1_Edit").arg(level));
    box->setGeometry(r);
    box->setAlignment(Qt::AlignRight);
    box->setToolTip(QObject::tr("Ante of level %1 (empty or 0: none)").arg(level + 1));
    return box;
}

QComboBox* Ante_Type_Box(QWidget* parent, const QRect& r)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("Ante_Type_Combo"));
    box->addItem(QObject::tr("Big blind ante"));
    box->addItem(QObject::tr("Per player ante"));
    box->setToolTip(QObject::tr("A big blind ante is paid by the big blind for the whole table; "
                                "a per player ante by every player"));
    box->setGeometry(r);
    return box;
}

Ante_Kind Chosen_Ante_Kind(const QComboBox* box)
{
    return box->currentIndex() == 1 ? Ante_Kind::Per_Player : Ante_Kind::Big_Blind;
}

void Show_Ante_Kind(QComboBox* box, Ante_Kind kind)
{
    box->setCurrentIndex(kind == Ante_Kind::Per_Player ? 1 : 0);
}

int32_t Box_Number(const QLineEdit* box, int32_t most)
{
    const int32_t n = Whole_Number(box->text()).value_or(0);
    return n <= 0 ? 0 : std::min(n, most);
}

QString Box_Text(int32_t value)
{
    return value == 0 ? QString() : QString::number(value);
}
