#include "forms/main_window/Structure_page.h"

#include "forms/widgets/Caption_label.h"
#include "forms/widgets/Structure_fields.h"
#include "model/Tourney.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The design's type, or the largest smaller type at which the text fits.
void Fit_Amount(QLineEdit* box, const QFont& design)
{
    QFont f = design;
    const int room = box->width() - 10;
    const bool pixels = design.pixelSize() > 0;
    qreal size = pixels ? design.pixelSize() : design.pointSizeF();
    while (size > 5 && QFontMetrics(f).horizontalAdvance(box->text()) > room) {
        size -= pixels ? 1 : 0.5;
        if (pixels)
            f.setPixelSize(static_cast<int>(size));
        else
            f.setPointSizeF(size);
    }
    if (box->font() != f)
        box->setFont(f);
}

} // namespace

Structure_Page::Structure_Page(QWidget* page, QGroupBox* timer_group, QGroupBox* schedule_group,
                               QLineEdit* const (&big_blind_boxes)[Structure_Levels])
    : QObject(page)
{
    Caption_Label(timer_group, tr("Antes:"), QRect(360, 28, 50, 24));
    Ante_Type_Combo = Ante_Type_Box(timer_group, QRect(412, 28, 150, 24));
    Planner_Btn = new QPushButton(tr("Planner..."), timer_group);
    Planner_Btn->setObjectName(QStringLiteral("Planner_Btn"));
    Planner_Btn->setToolTip(tr("Plan the levels, antes and breaks for the length of the night"));
    Planner_Btn->setGeometry(600, 27, 92, 26);

    QFont bold = schedule_group->font();
    bold.setBold(true);
    for (int level = 0; level < Structure_Levels; ++level) {
        const QRect big = big_blind_boxes[level]->geometry();
        Ante_Edit[level] = Ante_Box(schedule_group, level, big.translated(big.width() + 3, 0));
        if (level % 5 == 0)
            Caption_Label(schedule_group, tr("Ante"), QRect(big.right() + 4, 22, big.width(), 18), Qt::AlignCenter)
                ->setFont(bold);
    }
    // An amount of eight digits or more shows whole, in smaller type.
    for (QLineEdit* box : schedule_group->findChildren<QLineEdit*>()) {
        const QFont design = box->font();
        connect(box, &QLineEdit::textChanged, box, [box, design] { Fit_Amount(box, design); });
    }
    // Tab order: small, big, ante, then the next level.
    for (int level = 0; level < Structure_Levels; ++level) {
        QWidget::setTabOrder(big_blind_boxes[level], Ante_Edit[level]);
    }
    Build_Levels_Group(page);
}

void Structure_Page::Build_Levels_Group(QWidget* page)
{
    Levels_Group = new QGroupBox(tr("Levels and Breaks"), page);
    Levels_Group->setObjectName(QStringLiteral("Levels_Group"));
    Levels_Group->setGeometry(10, 388, 701, 240);
    QFont bold = Levels_Group->font();
    bold.setBold(true);
    for (int column = 0; column < 4; ++column) {
        const int x0 = 8 + column * 172;
        Caption_Label(Levels_Group, tr("Min"), QRect(x0 + 24, 20, 34, 18), Qt::AlignCenter)->setFont(bold);
        Caption_Label(Levels_Group, tr("Break"), QRect(x0 + 60, 20, 36, 18), Qt::AlignCenter)->setFont(bold);
        Caption_Label(Levels_Group, tr("Note"), QRect(x0 + 98, 20, 66, 18), Qt::AlignCenter)->setFont(bold);
        for (int row = 0; row < 5; ++row) {
            const int level = column * 5 + row;
            const int y = 40 + row * 38;
            Caption_Label(Levels_Group, QString::number(level + 1), QRect(x0, y, 20, 26),
                          Qt::AlignRight | Qt::AlignVCenter);
            auto make = [this, level](const char* name, const QRect& r, const QString& hint) {
                auto* box = new QLineEdit(Levels_Group);
                box->setObjectName(QString::fromLatin1(name).arg(level));
                box->setGeometry(r);
                box->setToolTip(hint);
                return box;
            };
            Minutes_Edit[level] = make("Minutes%1_Edit", QRect(x0 + 24, y, 34, 26),
                                       tr("Minutes of level %1 (empty: the blind duration above)").arg(level + 1));
            Minutes_Edit[level]->setAlignment(Qt::AlignRight);
            Break_Edit[level] = make("Break%1_Edit", QRect(x0 + 60, y, 36, 26),
                                     tr("Minutes of a break after level %1 (empty: none)").arg(level + 1));
            Break_Edit[level]->setAlignment(Qt::AlignRight);
            const QString note_hint = tr("What the room is told during the break, such as \"Colour up the 5s\"");
            Note_Edit[level] = make("Break_Note%1_Edit", QRect(x0 + 98, y, 66, 26), note_hint);
            // The box is narrow: its hint shows the whole note.
            QLineEdit* note = Note_Edit[level];
            connect(note, &QLineEdit::textChanged, note,
                    [note, note_hint](const QString& text) { note->setToolTip(text.isEmpty() ? note_hint : text); });
            // No level follows the last one, so no break does either.
            const bool last = level == Structure_Levels - 1;
            Break_Edit[level]->setEnabled(!last);
            Note_Edit[level]->setEnabled(!last);
        }
    }
}

void Structure_Page::Load(const CStructure& s)
{
    Show_Ante_Kind(Ante_Type_Combo, s.Ante_Type);
    for (int k = 0; k < Structure_Levels; ++k) {
        const Level_Extra& e = s.Levels[k];
        Ante_Edit[k]->setText(Box_Text(e.Ante));
        Minutes_Edit[k]->setText(Box_Text(e.Minutes));
        Break_Edit[k]->setText(Box_Text(e.Break_Minutes));
        Note_Edit[k]->setText(e.Break_Note);
        Note_Edit[k]->setCursorPosition(0); // a long note shows its start
    }
}

void Structure_Page::Save(CStructure& s) const
{
    s.Ante_Type = Chosen_Ante_Kind(Ante_Type_Combo);
    for (int k = 0; k < Structure_Levels; ++k) {
        Level_Extra& e = s.Levels[k];
        e.Ante = Box_Number(Ante_Edit[k], INT32_MAX);
        e.Minutes = Box_Number(Minutes_Edit[k], Max_Level_Minutes);
        e.Break_Minutes = k + 1 < Structure_Levels ? Box_Number(Break_Edit[k], Max_Break_Minutes) : 0;
        // A note belongs to its break.
        e.Break_Note = e.Break_Minutes > 0 ? Note_Edit[k]->text().trimmed() : QString();
    }
}
