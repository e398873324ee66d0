// Poker chips: one chip seen from the side or from above, and stacks of them.
#include "forms/artwork/Artwork.h"
#include "forms/artwork/Painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Artwork {

namespace {

const qreal Stack_Squash = 0.42;   // ellipse height / width seen from the player's seat
const int Chip_Inserts = 6;

// Points along the near (lower) half of an ellipse, angles in radians.
void Add_Arc_Points(QPolygonF& poly, QPointF c, qreal rx, qreal ry, qreal from, qreal to, int steps)
{
    for (int i = 0; i <= steps; ++i) {
        const qreal a = from + (to - from) * i / steps;
        poly << QPointF(c.x() + rx * std::cos(a), c.y() + ry * std::sin(a));
    }
}

} // namespace

void Paint_Chip(QPainter& p, QPointF top, qreal rx, const Chip_Colours& colours, qreal turn, bool face,
                qreal squash)
{
    const qreal ry = rx * squash;
    const qreal thick = rx * 0.19;
    const QRectF top_rect(top.x() - rx, top.y() - ry, 2 * rx, 2 * ry);
    const QRectF bottom_rect = top_rect.translated(0, thick);

    QPainterPath side;
    side.moveTo(top.x() - rx, top.y());
    side.lineTo(top.x() - rx, top.y() + thick);
    side.arcTo(bottom_rect, 180, 180);
    side.lineTo(top.x() + rx, top.y());
    side.arcTo(top_rect, 0, -180);
    side.closeSubpath();
    p.fillPath(side, colours.body);

    // The edge inserts where they come round the near side.
    const qreal half_width = M_PI / Chip_Inserts * 0.42;
    for (int k = 0; k < Chip_Inserts; ++k) {
        qreal a = std::fmod(turn + k * 2 * M_PI / Chip_Inserts, 2 * M_PI);
        qreal from = std::max(a - half_width, 0.0);
        qreal to = std::min(a + half_width, M_PI);
        if (from >= to)
            continue;
        QPolygonF stripe;
        Add_Arc_Points(stripe, top, rx, ry, from, to, 6);
        QPolygonF lower;
        Add_Arc_Points(lower, top + QPointF(0, thick), rx, ry, to, from, 6);
        stripe << lower;
        QPainterPath path;
        path.addPolygon(stripe);
        path.closeSubpath();
        p.fillPath(path, colours.insert);
    }

    // Round shading over the edge.
    QLinearGradient shade(top.x() - rx, 0, top.x() + rx, 0);
    shade.setColorAt(0, QColor(0, 0, 0, 150));
    shade.setColorAt(0.28, QColor(255, 255, 255, 45));
    shade.setColorAt(0.5, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 170));
    p.fillPath(side, shade);
    p.setPen(QPen(QColor(0, 0, 0, 90), rx * 0.02));
    p.setBrush(Qt::NoBrush);
    p.drawArc(bottom_rect, 180 * 16, 180 * 16);

    if (!face)
        return;

    // The upper face: body colour, the inserts round the rim, a dashed ring
    // and the cream inlay with a spade.
    QTransform to_face;
    to_face.translate(top.x(), top.y());
    to_face.scale(rx, ry);
    QPainterPath disc;
    disc.addEllipse(QPointF(0, 0), 1, 1);
    QRadialGradient body(to_face.map(QPointF(-0.3, -0.5)), rx * 1.3);
    body.setColorAt(0, colours.body.lighter(125));
    body.setColorAt(1, colours.body.darker(115));
    p.fillPath(to_face.map(disc), body);

    for (int k = 0; k < Chip_Inserts; ++k) {
        const qreal a = turn + k * 2 * M_PI / Chip_Inserts;
        const qreal deg = -qRadiansToDegrees(a);   // arcTo counts counter-clockwise on screen
        const qreal span = -qRadiansToDegrees(2 * half_width);
        QPainterPath segment;
        segment.arcMoveTo(QRectF(-1, -1, 2, 2), deg - span / 2);
        segment.arcTo(QRectF(-1, -1, 2, 2), deg - span / 2, span);
        segment.arcTo(QRectF(-0.8, -0.8, 1.6, 1.6), deg + span / 2, -span);
        segment.closeSubpath();
        p.fillPath(to_face.map(segment), colours.insert);
    }

    QPainterPath ring;
    ring.addEllipse(QPointF(0, 0), 0.7, 0.7);
    QPen dashed(colours.insert, rx * 0.035);
    dashed.setDashPattern({2.0, 2.0});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawPath(to_face.map(ring));

    QPainterPath inlay;
    inlay.addEllipse(QPointF(0, 0), 0.56, 0.56);
    QLinearGradient cream(to_face.map(QPointF(0, -0.56)), to_face.map(QPointF(0, 0.56)));
    cream.setColorAt(0, colours.inlay.lighter(106));
    cream.setColorAt(1, colours.inlay.darker(112));
    p.fillPath(to_face.map(inlay), cream);
    p.setPen(QPen(colours.body.darker(130), rx * 0.02));
    p.drawPath(to_face.map(inlay));

    QTransform pip = to_face;
    pip.scale(0.55, 0.55);
    const QColor pip_colour = colours.body.lightness() > 200 ? colours.insert : colours.body;
    p.fillPath(pip.map(Suit_Path(Suit::Spade)), pip_colour);

    // The lamp's sheen across the face.
    QLinearGradient sheen(to_face.map(QPointF(-1, -1)), to_face.map(QPointF(1, 1)));
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.fillPath(to_face.map(disc), sheen);
    p.setPen(QPen(QColor(0, 0, 0, 110), rx * 0.02));
    p.drawPath(to_face.map(disc));
}

void Paint_Stack(QPainter& p, const Stack& s)
{
    const qreal ry = s.radius * Stack_Squash;
    const qreal thick = s.radius * 0.19;
    QPainterPath foot;
    foot.addEllipse(s.base + QPointF(s.radius * 0.12, ry * 0.1), s.radius * 1.08, ry * 1.15);
    Soft_Shadow(p, foot, QPointF(0, 0), s.radius * 0.18, QColor(0, 0, 0, 170));

    uint32_t state = uint32_t(s.seed) * 2654435761u + 12345u;
    for (int i = 0; i < s.count; ++i) {
        state = state * 1664525u + 1013904223u;
        const qreal turn = (state >> 8) % 1000 / 1000.0 * 2 * M_PI;
        // A stack is never quite straight.
        const qreal jitter = (qreal((state >> 20) % 100) / 100.0 - 0.5) * s.radius * 0.05;
        const QPointF top(s.base.x() + jitter, s.base.y() - thick * (i + 1));
        Paint_Chip(p, top, s.radius, s.colours, turn, i == s.count - 1);
    }
}

} // namespace Artwork

QImage Chip_Picture(Chip_Colour colour, QSize size)
{
    using namespace Artwork;
    if (size.isEmpty())
        return {};
    const Chip_Colours* const colours[] = {&White_Chip, &Red_Chip, &Blue_Chip, &Green_Chip, &Black_Chip};
    const Chip_Colours& chip = *colours[static_cast<int>(colour)];

    QImage img(size, QImage::Format_RGB32);
    const QSizeF design(172, 130);
    const qreal scale = std::min(size.width() / design.width(), size.height() / design.height());
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // The grey of the program's chip groups, so the picture's edge does not show.
    p.fillRect(img.rect(), QColor(0xec, 0xec, 0xec));

    p.translate((size.width() - design.width() * scale) / 2, (size.height() - design.height() * scale) / 2);
    p.scale(scale, scale);
    const qreal rx = 74;
    const qreal squash = 0.6;
    const qreal thick = rx * 0.19;
    const QPointF top(86, 60 - thick / 2);
    QPainterPath foot;
    foot.addEllipse(top + QPointF(4, thick + 5), rx * 1.02, rx * squash * 1.05);
    Soft_Shadow(p, foot, QPointF(0, 0), 9, QColor(0, 0, 0, 110));
    Paint_Chip(p, top, rx, chip, 0.35, true, squash);
    return img;
}
