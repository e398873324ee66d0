// The program's window icon: a red poker chip seen from above.
#include "forms/artwork/Artwork.h"
#include "forms/artwork/Painting.h"

#include <QPainter>
#include <QRadialGradient>

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

    Artwork::Paint_Suit(p, Artwork::Suit::Spade, c, r * 0.62);
    return img;
}
