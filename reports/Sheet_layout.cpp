#include "reports/Sheet_layout.h"

#include <algorithm>

Paper Locale_Paper(const QLocale& locale)
{
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Philippines:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::CostaRica:
    case QLocale::Guatemala:
    case QLocale::PuertoRico:
        return Paper::Letter;
    default:
        return locale.measurementSystem() == QLocale::ImperialUSSystem ? Paper::Letter : Paper::A4;
    }
}

QVector<QRectF> Card_Rects(const QRectF& area, int per_page)
{
    const int columns = 2;
    const int rows = std::max(1, per_page / columns);
    const double w = area.width() / columns;
    const double h = area.height() / rows;
    QVector<QRectF> cards;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            cards.push_back(QRectF(area.left() + c * w, area.top() + r * h, w, h));
    return cards;
}

double Fit_Scale(const QVector<double>& widths, double gap, double available)
{
    double total = 0;
    for (double w : widths)
        total += w;
    total += gap * std::max<qsizetype>(0, widths.size() - 1);
    if (total <= available || total <= 0)
        return 1;
    return std::max(0.0, available / total);
}
