// The title pictures of the splash screen and the About box: the table
// with the gold title, the fanned cards and stacks of chips.
#include "forms/artwork/Artwork.h"
#include "forms/artwork/Painting.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Artwork {

QFont Serif_Font(qreal pixel_size, bool bold, bool italic)
{
    QFont f(QStringLiteral("Liberation Serif"));
    f.setStyleHint(QFont::Serif, QFont::PreferAntialias);
    f.setBold(bold);
    f.setItalic(italic);
    f.setPixelSize(std::max(1, qRound(pixel_size)));
    return f;
}

QPainterPath Centred_Text(const QString& text, const QFont& font, qreal x, qreal baseline, qreal spacing)
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

} // namespace Artwork

namespace {

using namespace Artwork;

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

    if (scene.fan.card_width > 0)
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
        {QPointF(655, 322), 30, 3, Artwork::White_Chip, 4},
        {QPointF(446, 348), 33, 9, Artwork::Red_Chip, 1},
        {QPointF(525, 352), 33, 13, Artwork::Black_Chip, 2},
        {QPointF(604, 344), 33, 6, Artwork::Blue_Chip, 3},
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
        {QPointF(480, 360), 33, 8, Artwork::Red_Chip, 4},
        {QPointF(560, 368), 33, 12, Artwork::Black_Chip, 5},
        {QPointF(640, 358), 33, 5, Artwork::Blue_Chip, 6},
    };
    return Render(s, size);
}

QImage Report_Logo(QSize size)
{
    // Upright, in the shape the report pages give it: the title over a fan
    // of cards and stacks of chips.
    Scene s;
    s.design = QSizeF(208, 378);
    s.lamp = QPointF(104, 110);
    s.rail = false;
    s.title_centre = QPointF(104, 108);
    s.title_size = 44;
    s.fan = {QPointF(104, 330), 58, 13, -2};
    s.stacks = {
        {QPointF(40, 352), 22, 7, Artwork::Red_Chip, 7},
        {QPointF(170, 356), 22, 10, Artwork::Black_Chip, 8},
        {QPointF(104, 372), 22, 4, Artwork::Blue_Chip, 9},
    };
    return Render(s, size);
}

QImage Scaled_Into(const QImage& picture, QSize box)
{
    if (picture.isNull() || box.isEmpty())
        return {};
    return picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
