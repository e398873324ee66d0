// The table: the green felt under the lamp, its grain, the padded rail and
// the vignette round the edges.
#include "forms/artwork/Painting.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Artwork {

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

namespace {

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

} // namespace

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

} // namespace Artwork
