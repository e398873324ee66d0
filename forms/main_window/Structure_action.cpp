#include "forms/main_window/Structure_action.h"

#include "forms/widgets/Caption_label.h"
#include "model/Display_facts.h"

#include <QFontMetrics>
#include <QLabel>

namespace {

const QString End_Hint = QStringLiteral("When the night is likely decided, from the players left, the chips in play "
                                        "and the structure");

QLabel* Block(QWidget* parent, const char* name, const QRect& r, const QColor& back, int pixels)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(r);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    label->hide();
    return label;
}

// A new text takes the largest type up to most_px that fits the block: a
// six-figure ante or a long break note is shown whole, in smaller letters.
void Set_Shown(QLabel* label, const QString& text, int most_px)
{
    if (label->text() != text) {
        QFont f = label->font();
        const QRect room = label->contentsRect().adjusted(4, 1, -4, -1);
        for (int px = most_px; px >= 8; --px) {
            f.setPixelSize(px);
            const QFontMetrics fm(f);
            const QSize need = label->wordWrap()
                                   ? fm.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, text).size()
                                   : QSize(fm.horizontalAdvance(text), fm.height());
            if (need.width() <= room.width() && need.height() <= room.height())
                break;
        }
        label->setFont(f);
        label->setText(text);
    }
    label->setVisible(!text.isEmpty());
}

} // namespace

Structure_Action::Structure_Action(QWidget* page) : QObject(page)
{
    Ante_Label = Block(page, "Ante_Label", QRect(563, 224, 148, 38), QColor(0x1f, 0x5c, 0x34), 20);
    Ante_Label->setToolTip(tr("Ante of the level"));
    Break_Label = Block(page, "Break_Label", QRect(262, 322, 291, 38), QColor(0x8a, 0x5a, 0x00), 15);
    Break_Label->setWordWrap(true);
    End_Caption = Caption_Label(page, tr("Estimated end"), QRect(563, 268, 148, 16), Qt::AlignCenter);
    End_Caption->setObjectName(QStringLiteral("End_Caption"));
    End_Label = Block(page, "End_Label", QRect(563, 285, 148, 34), QColor(0x20, 0x20, 0x20), 20);
    End_Label->setWordWrap(true);
    End_Label->setToolTip(End_Hint);
    End_Caption->hide();
}

void Structure_Action::Show(const Display_Facts& d)
{
    Set_Shown(Ante_Label, d.ante_text.isEmpty() ? QString() : d.ante_text.left(1).toUpper() + d.ante_text.mid(1), 20);
    QString pause;
    if (d.on_break) {
        pause = tr("Break, then level %1").arg(d.level + 1);
        if (!d.break_note.isEmpty())
            pause += QStringLiteral(": ") + d.break_note;
    }
    Set_Shown(Break_Label, pause, 15);
    // The end, or the note that the night outlasts the schedule.
    const QString end = d.has_estimated_end ? d.estimated_end_text : d.end_note;
    End_Label->setToolTip(d.has_estimated_end || end.isEmpty() ? End_Hint : d.end_note);
    Set_Shown(End_Label, end, 20);
    End_Caption->setVisible(!end.isEmpty());
}
