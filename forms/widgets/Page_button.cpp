#include "forms/widgets/Page_button.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
const QColor Gold_Edge(0xe3, 0xb3, 0x41);
const QColor Gold_Top(0xf5, 0xd7, 0x6e);
const QColor Gold_Bottom(0xc9, 0x96, 0x1a);
const QColor Dark_Top(0x3a, 0x3a, 0x3a);
const QColor Dark_Bottom(0x1e, 0x1e, 0x1e);
const QColor Dark_Edge(0x55, 0x55, 0x55);
constexpr int Left_Padding = 8;  // between the edge and the icon
constexpr int Icon_Gap = 2;      // between the icon and the caption
} // namespace

Page_Button::Page_Button(QWidget* parent) : QToolButton(parent)
{
    QFont f = font();
    f.setPixelSize(14);
    f.setBold(true);
    setFont(f);
}

void Page_Button::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool shown = isChecked();
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, shown ? Gold_Top : Dark_Top);
    fill.setColorAt(1, shown ? Gold_Bottom : Dark_Bottom);
    p.setPen(QPen(shown ? Gold_Top : underMouse() ? Gold_Edge : Dark_Edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    int x = 1 + Left_Padding;
    if (!icon().isNull()) {
        const QPixmap picture = icon().pixmap(iconSize(), devicePixelRatio(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
        const QSize size = picture.deviceIndependentSize().toSize();
        p.drawPixmap(x, (height() - size.height()) / 2, picture);
        x += size.width() + Icon_Gap;
    }
    p.setPen(shown ? Qt::black : Qt::white);
    p.setFont(font());
    p.drawText(QRect(x, 0, width() - x - 1, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

void Page_Button::enterEvent(QEnterEvent* event)
{
    update();
    QToolButton::enterEvent(event);
}

void Page_Button::leaveEvent(QEvent* event)
{
    update();
    QToolButton::leaveEvent(event);
}
