// The suits and the playing cards: the fanned royal flush of the title pictures.
#include "forms/artwork/Painting.h"

#include <QLinearGradient>
#include <QPainter>

namespace Artwork {

namespace {

QPainterPath Stem_Path()
{
    QPainterPath stem;
    stem.moveTo(-0.035, 0.16);
    stem.cubicTo(-0.04, 0.33, -0.1, 0.44, -0.21, 0.5);
    stem.lineTo(0.21, 0.5);
    stem.cubicTo(0.1, 0.44, 0.04, 0.33, 0.035, 0.16);
    stem.closeSubpath();
    return stem;
}
} // namespace

QPainterPath Suit_Path(Suit suit)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (suit) {
    case Suit::Heart:
        path.moveTo(0, 0.5);
        path.cubicTo(-0.12, 0.36, -0.5, 0.12, -0.5, -0.17);
        path.cubicTo(-0.5, -0.39, -0.36, -0.5, -0.24, -0.5);
        path.cubicTo(-0.1, -0.5, -0.02, -0.42, 0, -0.3);
        path.cubicTo(0.02, -0.42, 0.1, -0.5, 0.24, -0.5);
        path.cubicTo(0.36, -0.5, 0.5, -0.39, 0.5, -0.17);
        path.cubicTo(0.5, 0.12, 0.12, 0.36, 0, 0.5);
        path.closeSubpath();
        return path;
    case Suit::Diamond:
        path.moveTo(0, -0.5);
        path.quadTo(0.13, -0.17, 0.4, 0);
        path.quadTo(0.13, 0.17, 0, 0.5);
        path.quadTo(-0.13, 0.17, -0.4, 0);
        path.quadTo(-0.13, -0.17, 0, -0.5);
        path.closeSubpath();
        return path;
    case Suit::Spade: {
        QPainterPath leaf;
        leaf.moveTo(0, -0.5);
        leaf.cubicTo(0.12, -0.33, 0.5, -0.13, 0.5, 0.09);
        leaf.cubicTo(0.5, 0.26, 0.37, 0.34, 0.25, 0.34);
        leaf.cubicTo(0.13, 0.34, 0.05, 0.28, 0.0, 0.2);
        leaf.cubicTo(-0.05, 0.28, -0.13, 0.34, -0.25, 0.34);
        leaf.cubicTo(-0.37, 0.34, -0.5, 0.26, -0.5, 0.09);
        leaf.cubicTo(-0.5, -0.13, -0.12, -0.33, 0, -0.5);
        leaf.closeSubpath();
        return leaf.united(Stem_Path());
    }
    case Suit::Club: {
        const qreal r = 0.215;
        path.addEllipse(QPointF(0, -0.27), r, r);
        path.addEllipse(QPointF(-0.265, 0.07), r, r);
        path.addEllipse(QPointF(0.265, 0.07), r, r);
        path.addEllipse(QPointF(0, 0.0), 0.13, 0.13);
        return path.united(Stem_Path()).simplified();
    }
    }
    return path;
}

bool Is_Red(Suit suit) { return suit == Suit::Heart || suit == Suit::Diamond; }

QColor Suit_Colour(Suit suit) { return Is_Red(suit) ? QColor(0xc4, 0x12, 0x2b) : QColor(0x14, 0x14, 0x18); }

// The suit, `size` high, centred on `centre`.
QPainterPath Placed_Suit(Suit suit, QPointF centre, qreal size)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(size, size);
    return t.map(Suit_Path(suit));
}

void Paint_Suit(QPainter& p, Suit suit, QPointF centre, qreal size)
{
    const QPainterPath path = Placed_Suit(suit, centre, size);
    const QColor c = Suit_Colour(suit);
    QLinearGradient g(centre - QPointF(size / 2, size / 2), centre + QPointF(size / 2, size / 2));
    g.setColorAt(0, c.lighter(Is_Red(suit) ? 125 : 260));
    g.setColorAt(0.45, c);
    g.setColorAt(1, c.darker(140));
    p.fillPath(path, g);
}

namespace {

void Paint_Index(QPainter& p, const QRectF& card, const QString& rank, Suit suit)
{
    const qreal w = card.width();
    QFont f = Serif_Font(w * 0.2, true, false);
    if (rank.size() > 1)
        f.setStretch(78);
    const QPainterPath text = Centred_Text(rank, f, card.left() + w * 0.135, card.top() + w * 0.215);
    p.fillPath(text, Suit_Colour(suit));
    Paint_Suit(p, suit, QPointF(card.left() + w * 0.135, card.top() + w * 0.33), w * 0.14);
}

void Paint_Pips_Ten(QPainter& p, const QRectF& card, Suit suit)
{
    const qreal w = card.width();
    const qreal h = card.height();
    const qreal size = w * 0.19;
    struct Pip { qreal x, y; };
    const Pip pips[] = {
        {0.31, 0.19}, {0.69, 0.19}, {0.5, 0.305}, {0.31, 0.4}, {0.69, 0.4},
        {0.31, 0.6}, {0.69, 0.6}, {0.5, 0.695}, {0.31, 0.81}, {0.69, 0.81},
    };
    for (const Pip& pip : pips) {
        const QPointF c(card.left() + pip.x * w, card.top() + pip.y * h);
        if (pip.y > 0.5) {
            p.save();
            p.translate(c);
            p.rotate(180);
            Paint_Suit(p, suit, QPointF(0, 0), size);
            p.restore();
        } else {
            Paint_Suit(p, suit, c, size);
        }
    }
}

QPainterPath Crown_Path(QPointF base_centre, qreal width)
{
    const qreal w = width;
    const qreal h = width * 0.6;
    const qreal x = base_centre.x() - w / 2;
    const qreal y = base_centre.y();
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x - w * 0.04, y - h);
    path.lineTo(x + w * 0.25, y - h * 0.45);
    path.lineTo(x + w * 0.5, y - h * 1.1);
    path.lineTo(x + w * 0.75, y - h * 0.45);
    path.lineTo(x + w * 1.04, y - h);
    path.lineTo(x + w, y);
    path.closeSubpath();
    for (qreal fx : {-0.04, 0.5, 1.04}) {
        const qreal py = fx == 0.5 ? y - h * 1.1 : y - h;
        path.addEllipse(QPointF(x + w * fx, py), w * 0.07, w * 0.07);
    }
    return path;
}

// A court card drawn as a framed panel: a gilded frame, the rank as a large
// initial under a crown (king, queen) or a plumed band (jack).
void Paint_Court(QPainter& p, const QRectF& card, const QString& rank, Suit suit)
{
    const qreal w = card.width();
    const qreal h = card.height();
    const QRectF frame = card.adjusted(w * 0.25, h * 0.1, -w * 0.25, -h * 0.1);
    QLinearGradient panel(frame.topLeft(), frame.bottomRight());
    panel.setColorAt(0, QColor(0xfb, 0xf3, 0xdc));
    panel.setColorAt(1, QColor(0xef, 0xdc, 0xab));
    p.fillRect(frame, panel);

    // Bands of the court's robe, mirrored top and bottom.
    const QColor robe = suit == Suit::Spade ? QColor(0x1f, 0x3f, 0x93) : QColor(0xb3, 0x1b, 0x2c);
    for (int half = 0; half < 2; ++half) {
        p.save();
        p.translate(frame.center());
        p.rotate(half * 180);
        const qreal fw = frame.width();
        const qreal fh = frame.height();
        QPainterPath band;
        band.moveTo(-fw / 2, fh * 0.5);
        band.lineTo(-fw / 2, fh * 0.3);
        band.quadTo(0, fh * 0.14, fw / 2, fh * 0.3);
        band.lineTo(fw / 2, fh * 0.5);
        band.closeSubpath();
        p.fillPath(band, robe);
        QPainterPath trim;
        trim.moveTo(-fw / 2, fh * 0.3);
        trim.quadTo(0, fh * 0.14, fw / 2, fh * 0.3);
        p.setPen(QPen(QColor(0xd9, 0xa8, 0x3a), fw * 0.045));
        p.drawPath(trim);
        p.restore();
    }

    const QColor ink = Suit_Colour(suit);
    const QFont f = Serif_Font(w * 0.42, true, false);
    const QPainterPath letter = Centred_Text(rank, f, frame.center().x(), frame.center().y() + w * 0.15);
    p.fillPath(letter, ink);
    if (rank != QLatin1String("J")) {
        QLinearGradient gold(0, frame.top(), 0, frame.center().y());
        gold.setColorAt(0, QColor(0xfc, 0xe3, 0x8a));
        gold.setColorAt(1, QColor(0xb8, 0x84, 0x1e));
        const QPainterPath crown = Crown_Path(QPointF(frame.center().x(), frame.center().y() - w * 0.18), w * 0.26);
        p.fillPath(crown, gold);
        p.setPen(QPen(QColor(0x6b, 0x47, 0x0c), w * 0.008));
        p.drawPath(crown);
    } else {
        Paint_Suit(p, suit, QPointF(frame.center().x(), frame.center().y() - w * 0.27), w * 0.13);
    }
    Paint_Suit(p, suit, QPointF(frame.center().x(), frame.center().y() + w * 0.33), w * 0.13);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xb8, 0x8a, 0x2a), w * 0.018));
    p.drawRect(frame);
    p.setPen(QPen(ink, w * 0.008));
    p.drawRect(frame.adjusted(w * 0.025, w * 0.025, -w * 0.025, -w * 0.025));
}

void Paint_Ace(QPainter& p, const QRectF& card, Suit suit)
{
    const qreal w = card.width();
    const QPointF c = card.center();
    // A fine engraved ring behind the ace's great pip.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xb8, 0x8a, 0x2a, 200), w * 0.012));
    p.drawEllipse(c, w * 0.36, w * 0.36);
    p.setPen(QPen(QColor(0xb8, 0x8a, 0x2a, 120), w * 0.006));
    p.drawEllipse(c, w * 0.33, w * 0.33);
    Paint_Suit(p, suit, c + QPointF(0, w * 0.01), w * 0.5);
}

// A card with its top left corner at the origin of the painter.
void Paint_Card(QPainter& p, qreal w, qreal h, const QString& rank, Suit suit)
{
    const QRectF card(0, 0, w, h);
    const qreal radius = w * 0.07;
    QPainterPath outline;
    outline.addRoundedRect(card, radius, radius);

    Soft_Shadow(p, outline, QPointF(w * 0.03, w * 0.05), w * 0.09, QColor(0, 0, 0, 150));

    QLinearGradient face(card.topLeft(), card.bottomRight());
    face.setColorAt(0, QColor(0xff, 0xff, 0xfd));
    face.setColorAt(0.6, QColor(0xf6, 0xf3, 0xea));
    face.setColorAt(1, QColor(0xe6, 0xe0, 0xd2));
    p.fillPath(outline, face);

    p.save();
    p.setClipPath(outline);
    if (rank == QLatin1String("A"))
        Paint_Ace(p, card, suit);
    else if (rank == QLatin1String("10"))
        Paint_Pips_Ten(p, card, suit);
    else
        Paint_Court(p, card, rank, suit);
    Paint_Index(p, card, rank, suit);
    p.translate(card.center());
    p.rotate(180);
    p.translate(-card.center());
    Paint_Index(p, card, rank, suit);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x8d, 0x86, 0x79), w * 0.01));
    p.drawPath(outline);
}

} // namespace

void Paint_Fan(QPainter& p, const Fan& fan)
{
    const QString ranks[] = {QStringLiteral("10"), QStringLiteral("J"), QStringLiteral("Q"),
                             QStringLiteral("K"), QStringLiteral("A")};
    const qreal w = fan.card_width;
    const qreal h = w * 1.4;
    const int n = 5;
    for (int i = 0; i < n; ++i) {
        p.save();
        p.translate(fan.pivot);
        p.rotate(fan.tilt + (i - (n - 1) / 2.0) * fan.spread);
        p.translate(-w / 2, -h - w * 0.55);
        Paint_Card(p, w, h, ranks[i], Suit::Spade);
        p.restore();
    }
}

} // namespace Artwork
