// Soft edges: blurred fills for shadows, glows and the light on the rail.
#include "forms/artwork/Painting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

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

} // namespace

namespace Artwork {

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

} // namespace Artwork
