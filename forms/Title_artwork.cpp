#include "forms/Title_artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// ---------------------------------------------------------------- soft edges

// One box-blur pass along a line of premultiplied pixels; outside is transparent.
void Blur_Line(QRgb* p, int stride, int n, int r, std::vector<QRgb>& tmp)
{
    const int div = 2 * r + 1;
    int sa = 0, sr = 0, sg = 0, sb = 0;
    auto add = [&](QRgb c, int s) {
        sa += s * qAlpha(c);
        sr += s * qRed(c);
        sg += s * qGreen(c);
        sb += s * qBlue(c);
    };
    for (int i = 0; i <= r && i < n; ++i)
        add(p[i * stride], 1);
    for (int i = 0; i < n; ++i) {
        tmp[i] = qRgba(sr / div, sg / div, sb / div, sa / div);
        const int out = i - r;
        if (out >= 0)
            add(p[out * stride], -1);
        const int in = i + r + 1;
        if (in < n)
            add(p[in * stride], 1);
    }
    for (int i = 0; i < n; ++i)
        p[i * stride] = tmp[i];
}

// Three box passes each way: close enough to a Gaussian of sigma ~ r.
void Box_Blur(QImage& img, int r)
{
    if (r < 1)
        return;
    const int w = img.width();
    const int h = img.height();
    const int stride = int(img.bytesPerLine() / 4);
    std::vector<QRgb> tmp(size_t(std::max(w, h)));
    QRgb* bits = reinterpret_cast<QRgb*>(img.bits());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            Blur_Line(bits + y * stride, 1, w, r, tmp);
        for (int x = 0; x < w; ++x)
            Blur_Line(bits + x, stride, h, r, tmp);
    }
}

// Fills the path with a colour whose edge is blurred by about `blur` logical
// pixels: drop shadows, glows, the light on the rail.
void Soft_Fill(QPainter& p, const QPainterPath& path, qreal blur, const QColor& colour)
{
    const QTransform t = p.worldTransform();
    const qreal scale = std::sqrt(std::abs(t.determinant()));
    const QPainterPath device = t.map(path);
    const int r = std::max(1, qRound(blur * scale / 2));
    // Only the part that can reach the picture is worth blurring.
    const QRect reach = QRect(0, 0, p.device()->width(), p.device()->height()).adjusted(-3 * r, -3 * r, 3 * r, 3 * r);
    const QRect box = device.boundingRect().toAlignedRect().adjusted(-3 * r, -3 * r, 3 * r, 3 * r).intersected(reach);
    if (box.isEmpty())
        return;
    QImage img(box.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter q(&img);
        q.setRenderHint(QPainter::Antialiasing);
        q.translate(-box.topLeft());
        q.fillPath(device, colour);
    }
    Box_Blur(img, r);
    p.save();
    p.resetTransform();
    p.drawImage(box.topLeft(), img);
    p.restore();
}

void Soft_Shadow(QPainter& p, const QPainterPath& path, QPointF offset, qreal blur, const QColor& colour)
{
    Soft_Fill(p, path.translated(offset), blur, colour);
}

// --------------------------------------------------------------- the suits

enum class Suit { Spade, Heart, Diamond, Club };

// Each suit fits a unit box centred on the origin.
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

// ---------------------------------------------------------------- fonts

QFont Serif_Font(qreal pixel_size, bool bold, bool italic)
{
    QFont f(QStringLiteral("Liberation Serif"));
    f.setStyleHint(QFont::Serif, QFont::PreferAntialias);
    f.setBold(bold);
    f.setItalic(italic);
    f.setPixelSize(std::max(1, qRound(pixel_size)));
    return f;
}

// A text as a path whose ink is centred horizontally on x, with its baseline at y.
QPainterPath Centred_Text(const QString& text, const QFont& font, qreal x, qreal baseline, qreal spacing = 0)
{
    QPainterPath path;
    if (spacing == 0) {
        path.addText(0, baseline, font, text);
    } else {
        // Letter-spaced capitals, laid out one character at a time.
        qreal pen = 0;
        for (QChar ch : text) {
            QPainterPath glyph;
            glyph.addText(0, 0, font, QString(ch));
            const qreal advance = ch == QLatin1Char(' ') ? font.pixelSize() * 0.3
                                                         : glyph.boundingRect().right();
            path.addPath(glyph.translated(pen, baseline));
            pen += advance + spacing;
        }
    }
    const QRectF ink = path.boundingRect();
    return path.translated(x - ink.center().x(), 0);
}

// ---------------------------------------------------------------- cards

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

struct Fan {
    QPointF pivot;   // the point the cards turn about, below the cards
    qreal card_width;
    qreal spread;    // degrees between neighbouring cards
    qreal tilt;      // degrees the whole fan leans to the right
};

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

// ---------------------------------------------------------------- chips

struct Chip_Colours {
    QColor body;
    QColor insert;
    QColor inlay;
};

const Chip_Colours Red_Chip{QColor(0xb0, 0x16, 0x1e), QColor(0xf4, 0xf0, 0xe6), QColor(0xf3, 0xe9, 0xd2)};
const Chip_Colours Black_Chip{QColor(0x1d, 0x1d, 0x22), QColor(0xd8, 0xb0, 0x4c), QColor(0xec, 0xe2, 0xc8)};
const Chip_Colours Blue_Chip{QColor(0x17, 0x3f, 0x9c), QColor(0xf4, 0xf0, 0xe6), QColor(0xf3, 0xe9, 0xd2)};
const Chip_Colours White_Chip{QColor(0xe9, 0xe6, 0xdc), QColor(0x1f, 0x4f, 0xa8), QColor(0xfb, 0xf8, 0xf0)};

const qreal Chip_Squash = 0.42;   // ellipse height / width seen from the player's seat
const int Chip_Inserts = 6;

// Points along the near (lower) half of an ellipse, angles in radians.
void Add_Arc_Points(QPolygonF& poly, QPointF c, qreal rx, qreal ry, qreal from, qreal to, int steps)
{
    for (int i = 0; i <= steps; ++i) {
        const qreal a = from + (to - from) * i / steps;
        poly << QPointF(c.x() + rx * std::cos(a), c.y() + ry * std::sin(a));
    }
}

// One chip lying flat; `top` is the centre of its upper face. Only the upper
// face of the topmost chip of a stack is ever seen, so it is optional.
void Paint_Chip(QPainter& p, QPointF top, qreal rx, const Chip_Colours& colours, qreal turn, bool face)
{
    const qreal ry = rx * Chip_Squash;
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

struct Stack {
    QPointF base;   // centre of the lowest chip's underside
    qreal radius;
    int count;
    Chip_Colours colours;
    int seed;
};

void Paint_Stack(QPainter& p, const Stack& s)
{
    const qreal ry = s.radius * Chip_Squash;
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

// ---------------------------------------------------------------- the table

// Fine grain of the felt, applied in device pixels.
void Add_Felt_Grain(QImage& img)
{
    uint32_t state = 0x2545f491u;
    const int w = img.width();
    std::vector<int> previous(size_t(w), 0);
    for (int y = 0; y < img.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        int streak = 0;
        for (int x = 0; x < w; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int fine = int(state % 9) - 4;
            // The nap runs roughly sideways: carry part of the neighbours' noise.
            streak = (streak * 5 + fine * 3) / 8;
            const int n = (fine + streak + previous[size_t(x)]) / 2;
            previous[size_t(x)] = n / 2;
            const QRgb c = row[x];
            row[x] = qRgba(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255), qAlpha(c));
        }
    }
}

void Paint_Felt(QPainter& p, const QRectF& area, QPointF lamp)
{
    const qreal reach = std::hypot(area.width(), area.height()) * 0.62;
    QRadialGradient felt(lamp, reach);
    felt.setColorAt(0, QColor(0x2b, 0x8a, 0x4b));
    felt.setColorAt(0.35, QColor(0x1a, 0x66, 0x35));
    felt.setColorAt(0.75, QColor(0x0c, 0x3d, 0x1f));
    felt.setColorAt(1, QColor(0x05, 0x1f, 0x0f));
    p.fillRect(area, felt);
}

// The near side of the table: a brass-edged wooden racetrack and the padded
// leather rail, following a wide ellipse whose lower edge borders the felt.
// Shaded pixel by pixel from each pixel's distance to that edge, which also
// lays the rail's shadow onto the felt.
const qreal Wood_Width = 13;
const qreal Cushion_Width = 95;

QColor Rail_Colour(qreal d)
{
    if (d < 1.2)
        return QColor(0xd8, 0xae, 0x52);
    if (d < Wood_Width) {
        const qreal t = d / Wood_Width;
        const qreal light = 0.55 + 0.45 * std::sin(t * M_PI);
        return QColor::fromRgbF(0.52 * light, 0.29 * light, 0.14 * light);
    }
    const qreal t = std::min((d - Wood_Width) / Cushion_Width, 1.0);
    const qreal bump = std::exp(-std::pow((t - 0.2) / 0.16, 2.0));
    qreal light = 0.055 + 0.11 * bump + 0.03 * (1 - t);
    // The seam between wood and leather.
    const qreal seam = std::abs(d - Wood_Width);
    if (seam < 1.2)
        light *= 0.25 + 0.75 * seam / 1.2;
    return QColor::fromRgbF(light * 1.45, light * 0.95, light * 0.7);
}

void Shade_Rail(QImage& img, const QTransform& place, const QRectF& edge)
{
    bool invertible = false;
    const QTransform to_design = place.inverted(&invertible);
    if (!invertible)
        return;
    const qreal scale = std::sqrt(std::abs(place.determinant()));
    const qreal cx = edge.center().x();
    const qreal cy = edge.center().y();
    const qreal rx = edge.width() / 2;
    const qreal ry = edge.height() / 2;
    for (int y = 0; y < img.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QPointF q = to_design.map(QPointF(x + 0.5, y + 0.5));
            const qreal u = (q.x() - cx) / rx;
            const qreal v = (q.y() - cy) / ry;
            const qreal f = std::sqrt(u * u + v * v);
            const qreal grad = std::hypot(u / rx, v / ry) / std::max(f, 1e-9);
            const qreal d = (f - 1) / grad;   // distance outside the felt, design pixels
            if (d < -30)
                continue;
            const QRgb c = row[x];
            qreal r = qRed(c), g = qGreen(c), b = qBlue(c);
            if (d < 0) {
                const qreal shadow = 1 - 0.8 * std::exp(d / 8);
                r *= shadow;
                g *= shadow;
                b *= shadow;
            }
            const qreal cover = std::clamp(d * scale + 0.5, 0.0, 1.0);
            if (cover > 0) {
                const QColor rail = Rail_Colour(std::max(d, 0.0));
                r += (rail.red() - r) * cover;
                g += (rail.green() - g) * cover;
                b += (rail.blue() - b) * cover;
            }
            row[x] = qRgba(qRound(r), qRound(g), qRound(b), qAlpha(c));
        }
    }
}

void Paint_Stitching(QPainter& p, const QRectF& edge)
{
    QPen stitch(QColor(0x5a, 0x40, 0x2c, 170), 1.1);
    stitch.setDashPattern({3.0, 3.0});
    p.setPen(stitch);
    p.setBrush(Qt::NoBrush);
    const qreal seam = Wood_Width + Cushion_Width * 0.55;
    p.drawEllipse(edge.adjusted(-seam, -seam, seam, seam));
}

void Paint_Vignette(QPainter& p, const QRectF& area, QPointF centre, int strength)
{
    const qreal reach = std::hypot(area.width(), area.height()) * 0.6;
    QRadialGradient v(centre, reach);
    v.setColorAt(0, QColor(0, 0, 0, 0));
    v.setColorAt(0.55, QColor(0, 0, 0, 0));
    v.setColorAt(1, QColor(0, 0, 0, strength));
    p.fillRect(area, v);
}

// ---------------------------------------------------------------- title

void Paint_Title(QPainter& p, QPointF centre, qreal size)
{
    const QFont title_font = Serif_Font(size, true, true);
    const QPainterPath title = Centred_Text(QStringLiteral("Velmora"), title_font, centre.x(), centre.y());
    const QRectF ink = title.boundingRect();

    Soft_Fill(p, title, size * 0.3, QColor(0xff, 0xc8, 0x50, 55));
    Soft_Shadow(p, title, QPointF(size * 0.03, size * 0.05), size * 0.07, QColor(0, 0, 0, 220));

    QLinearGradient gold(0, ink.top(), 0, ink.bottom());
    gold.setColorAt(0, QColor(0xff, 0xf6, 0xcf));
    gold.setColorAt(0.38, QColor(0xf3, 0xcf, 0x6a));
    gold.setColorAt(0.52, QColor(0xb9, 0x86, 0x26));
    gold.setColorAt(0.7, QColor(0xe8, 0xbf, 0x56));
    gold.setColorAt(1, QColor(0x8c, 0x5c, 0x12));
    p.fillPath(title, gold);
    p.setPen(QPen(QColor(0x4e, 0x31, 0x06), size * 0.012));
    p.setBrush(Qt::NoBrush);
    p.drawPath(title);

    // The four suits in gold above the title.
    const Suit suits[] = {Suit::Spade, Suit::Heart, Suit::Club, Suit::Diamond};
    const qreal pip = size * 0.12;
    const qreal pitch = size * 0.25;
    const qreal row_y = ink.top() - size * 0.16;
    QLinearGradient pip_gold(0, row_y - pip / 2, 0, row_y + pip / 2);
    pip_gold.setColorAt(0, QColor(0xfb, 0xe6, 0x9a));
    pip_gold.setColorAt(1, QColor(0xb8, 0x86, 0x28));
    for (int i = 0; i < 4; ++i) {
        const QPointF c(centre.x() + (i - 1.5) * pitch, row_y);
        const QPainterPath path = Placed_Suit(suits[i], c, pip);
        Soft_Shadow(p, path, QPointF(1, 1.5), 2, QColor(0, 0, 0, 200));
        p.fillPath(path, pip_gold);
    }

    // "HOME EDITION" between two gold rules that end in small diamonds.
    const qreal sub_size = size * 0.2;
    const qreal sub_base = centre.y() + size * 0.42;
    const QPainterPath subtitle = Centred_Text(QStringLiteral("HOME EDITION"), Serif_Font(sub_size, false, false),
                                               centre.x(), sub_base, sub_size * 0.42);
    Soft_Shadow(p, subtitle, QPointF(1, 1.5), 2.5, QColor(0, 0, 0, 230));
    p.fillPath(subtitle, QColor(0xf6, 0xef, 0xdc));

    const QRectF sub_ink = subtitle.boundingRect();
    const qreal rule_y = sub_ink.center().y();
    const qreal gap = sub_size * 0.9;
    const qreal rule_len = std::max(sub_size * 1.5, (ink.width() - sub_ink.width()) / 2 - gap + size * 0.1);
    QColor rule(0xdc, 0xb2, 0x55);
    for (int side = -1; side <= 1; side += 2) {
        const qreal inner = side < 0 ? sub_ink.left() - gap : sub_ink.right() + gap;
        const qreal outer = inner + side * rule_len;
        QLinearGradient fade(inner, 0, outer, 0);
        fade.setColorAt(0, rule);
        fade.setColorAt(1, QColor(rule.red(), rule.green(), rule.blue(), 0));
        p.setPen(QPen(QBrush(fade), std::max(1.0, size * 0.012)));
        p.drawLine(QPointF(inner, rule_y), QPointF(outer, rule_y));
        p.fillPath(Placed_Suit(Suit::Diamond, QPointF(inner + side * sub_size * 0.05, rule_y), sub_size * 0.55), rule);
    }
}

// ---------------------------------------------------------------- scenes

struct Scene {
    QSizeF design;          // the size the numbers below are laid out for
    QPointF lamp;           // brightest point of the felt
    bool rail;
    QRectF felt_edge;       // ellipse bounding the felt when there is a rail
    QPointF title_centre;   // centre of the title's baseline
    qreal title_size;
    Fan fan;
    std::vector<Stack> stacks;   // painted in this order, farthest first
};

QImage Render(const Scene& scene, QSize size)
{
    if (size.isEmpty())
        return {};
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::black);
    const qreal scale = std::min(size.width() / scene.design.width(), size.height() / scene.design.height());
    QTransform place;
    place.translate((size.width() - scene.design.width() * scale) / 2,
                    (size.height() - scene.design.height() * scale) / 2);
    place.scale(scale, scale);
    const QRectF area(QPointF(0, 0), scene.design);

    {
        QPainter p(&img);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.setTransform(place);
        p.setClipRect(area);
        Paint_Felt(p, area, scene.lamp);
    }
    Add_Felt_Grain(img);
    if (scene.rail)
        Shade_Rail(img, place, scene.felt_edge);

    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    p.setTransform(place);
    p.setClipRect(area);
    if (scene.rail)
        Paint_Stitching(p, scene.felt_edge);
    Paint_Vignette(p, area, scene.lamp, 170);

    Paint_Fan(p, scene.fan);
    for (const Stack& s : scene.stacks)
        Paint_Stack(p, s);
    Paint_Title(p, scene.title_centre, scene.title_size);

    // A fine border so the borderless splash stands apart from the desktop.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 220), 2));
    p.drawRect(area.adjusted(1, 1, -1, -1));
    p.setPen(QPen(QColor(0xd8, 0xae, 0x52, 110), 1));
    p.drawRect(area.adjusted(2.5, 2.5, -2.5, -2.5));
    return img;
}

} // namespace

QImage Title_Artwork(QSize size)
{
    Scene s;
    s.design = QSizeF(700, 453);
    s.lamp = QPointF(400, 170);
    s.rail = true;
    s.felt_edge = QRectF(350 - 1300, -700 - 1075, 2600, 2150);
    s.title_centre = QPointF(212, 208);
    s.title_size = 108;
    s.fan = {QPointF(550, 350), 100, 14, -2};
    s.stacks = {
        {QPointF(655, 322), 30, 3, White_Chip, 4},
        {QPointF(446, 348), 33, 9, Red_Chip, 1},
        {QPointF(525, 352), 33, 13, Black_Chip, 2},
        {QPointF(604, 344), 33, 6, Blue_Chip, 3},
    };
    return Render(s, size);
}

QImage About_Artwork(QSize size)
{
    Scene s;
    s.design = QSizeF(738, 402);
    s.lamp = QPointF(420, 150);
    s.rail = false;
    s.title_centre = QPointF(240, 200);
    s.title_size = 118;
    s.fan = {QPointF(578, 364), 104, 14, -2};
    s.stacks = {
        {QPointF(480, 360), 33, 8, Red_Chip, 4},
        {QPointF(560, 368), 33, 12, Black_Chip, 5},
        {QPointF(640, 358), 33, 5, Blue_Chip, 6},
    };
    return Render(s, size);
}

QImage Scaled_Into(const QImage& picture, QSize box)
{
    if (picture.isNull() || box.isEmpty())
        return {};
    return picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage Program_Icon(int size)
{
    // A red chip seen from above: white edge inserts, a cream inlay and a
    // black spade in the middle.
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QPointF c(s / 2, s / 2);
    const qreal r = s * 0.47;

    QRadialGradient body(c - QPointF(r * 0.3, r * 0.3), r * 1.4);
    body.setColorAt(0, QColor(0xd8, 0x2a, 0x32));
    body.setColorAt(1, QColor(0x8a, 0x0e, 0x16));
    p.setPen(QPen(QColor(0x50, 0x06, 0x0b), s / 48));
    p.setBrush(body);
    p.drawEllipse(c, r, r);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf0, 0xe6));
    for (int i = 0; i < 6; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 60.0);
        p.drawRoundedRect(QRectF(-r * 0.13, -r * 0.98, r * 0.26, r * 0.3), r * 0.04, r * 0.04);
        p.restore();
    }

    QRadialGradient inlay(c - QPointF(r * 0.15, r * 0.2), r * 0.75);
    inlay.setColorAt(0, QColor(0xfb, 0xf8, 0xf0));
    inlay.setColorAt(1, QColor(0xe0, 0xd6, 0xbe));
    p.setPen(QPen(QColor(0xc9, 0x96, 0x1a), s / 40));
    p.setBrush(inlay);
    p.drawEllipse(c, r * 0.58, r * 0.58);

    Paint_Suit(p, Suit::Spade, c, r * 0.62);
    return img;
}
