#include "forms/widgets/Depth_chart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

const QColor Depth_Chart::Bar_Colour(0x2e, 0x7d, 0x4f);
const QColor Depth_Chart::End_Colour(0xe3, 0xb3, 0x41);
const QColor Depth_Chart::Late_Colour(0x9a, 0xa5, 0xb1);

Depth_Chart::Depth_Chart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Depth_Chart"));
    setMinimumSize(200, 120);
}

void Depth_Chart::Set_Depths(const QVector<double>& depths, int end_level, double decided_depth)
{
    depths_ = depths;
    end_level_ = end_level;
    decided_ = decided_depth;
    update();
}

void Depth_Chart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x10, 0x18, 0x22));
    if (depths_.isEmpty())
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(34, 10, -8, -20);
    // A depth scale that rounds up to a tidy top (50, 100, 150 ...).
    const double most = *std::max_element(depths_.begin(), depths_.end());
    const double top = std::max(50.0, std::ceil(most / 50.0) * 50.0);
    auto y_of = [&](double depth) { return area.bottom() - area.height() * std::min(depth, top) / top; };

    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(0x8d, 0xa2, 0xbd));
    for (double mark : {0.0, top / 2, top}) {
        p.drawText(QRectF(0, y_of(mark) - 7, 30, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(mark));
        p.drawLine(QPointF(area.left() - 2, y_of(mark)), QPointF(area.right(), y_of(mark)));
    }
    const int n = static_cast<int>(depths_.size());
    const double slot = area.width() / n;
    for (int k = 0; k < n; ++k) {
        const QColor colour = k == end_level_ ? End_Colour : (end_level_ >= 0 && k > end_level_ ? Late_Colour : Bar_Colour);
        const QRectF bar(area.left() + k * slot + slot * 0.15, y_of(depths_[k]), slot * 0.7, area.bottom() - y_of(depths_[k]));
        p.fillRect(bar, colour);
        if (k % 2 == 0 || n <= 12) {
            p.setPen(QColor(0x8d, 0xa2, 0xbd));
            p.drawText(QRectF(area.left() + k * slot, area.bottom() + 3, slot, 14), Qt::AlignCenter, QString::number(k + 1));
        }
    }
    // Where the night is decided.
    QPen dashed(QColor(0xff, 0x70, 0x70), 1.5, Qt::DashLine);
    p.setPen(dashed);
    p.drawLine(QPointF(area.left(), y_of(decided_)), QPointF(area.right(), y_of(decided_)));
    p.drawText(QRectF(area.right() - 120, y_of(decided_) - 16, 118, 14), Qt::AlignRight | Qt::AlignVCenter,
               tr("decided: %1 BB").arg(decided_));
}
