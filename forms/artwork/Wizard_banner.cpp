#include "forms/artwork/Wizard_banner.h"

#include "forms/artwork/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

void Paint_Felt(QPainter& p, const QRectF& r)
{
    QRadialGradient felt(r.center() + QPointF(-r.width() * 0.15, -r.height() * 0.4), r.width() * 0.75);
    felt.setColorAt(0.0, QColor(0x2f, 0x8a, 0x4e));
    felt.setColorAt(0.6, QColor(0x16, 0x5c, 0x31));
    felt.setColorAt(1.0, QColor(0x0a, 0x33, 0x1b));
    QPainterPath rounded;
    rounded.addRoundedRect(r, 8, 8);
    p.fillPath(rounded, felt);
    // The padded rail along the edge.
    p.setPen(QPen(QColor(0x3b, 0x22, 0x12), 4));
    p.drawPath(rounded);
    p.setPen(QPen(QColor(0xc9, 0x96, 0x1a, 160), 1));
    p.drawRoundedRect(r.adjusted(4, 4, -4, -4), 6, 6);
}

// A small stack of chips seen from above, the top one in full.
void Paint_Chip_Stack(QPainter& p, QPointF at, int size, int height)
{
    const QImage chip = Program_Icon(size);
    for (int i = height - 1; i >= 0; --i)
        p.drawImage(at + QPointF(i * 1.5, -i * 3.0), chip);
}

} // namespace

QImage Wizard_Banner(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF r(2, 2, size.width() - 4, size.height() - 4);
    Paint_Felt(p, r);

    const int chip = qMax(16, size.height() - 34);
    Paint_Chip_Stack(p, QPointF(r.left() + 16, r.top() + 20), chip, 4);
    Paint_Chip_Stack(p, QPointF(r.right() - chip - 26, r.top() + 20), chip, 3);

    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setItalic(true);
    title.setPixelSize(qMax(12, size.height() * 2 / 5));
    p.setFont(title);
    const QRectF text_box = r.adjusted(chip + 40, 0, -(chip + 40), -size.height() / 5.0);
    p.setPen(QColor(0, 0, 0, 150));
    p.drawText(text_box.translated(2, 2), Qt::AlignCenter, QStringLiteral("Velmora"));
    QLinearGradient gold(text_box.topLeft(), text_box.bottomLeft());
    gold.setColorAt(0.0, QColor(0xf8, 0xe0, 0x8e));
    gold.setColorAt(1.0, QColor(0xc9, 0x96, 0x1a));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(text_box, Qt::AlignCenter, QStringLiteral("Velmora"));

    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(qMax(9, size.height() / 6));
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(sub);
    p.setPen(QColor(0xe8, 0xe8, 0xe8));
    p.drawText(r.adjusted(0, size.height() * 0.55, 0, -4), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("NEW TOURNAMENT WIZARD"));
    return image;
}
