#pragma once
// Where things stand on a printed page, apart from any painting: the paper a
// locale uses, the seat cards' places on a page, and how far a table's type
// must shrink to fit the page's width.
#include <QLocale>
#include <QRectF>
#include <QVector>

enum class Paper { A4, Letter };

// Letter in the Americas' letter countries (the United States, Canada,
// Mexico and a few more), A4 everywhere else.
Paper Locale_Paper(const QLocale& locale);

// The cards of one page: per_page (4 or 6) cards tiling the area in two
// columns, row by row; neighbours share an edge, where the page is cut.
QVector<QRectF> Card_Rects(const QRectF& area, int per_page);

// The factor (at most 1) that brings columns of these natural widths, with a
// gap after each but the last, within the width available.
double Fit_Scale(const QVector<double>& widths, double gap, double available);
