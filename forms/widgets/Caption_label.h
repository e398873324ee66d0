#pragma once
// A caption placed at a fixed spot of a page or dialog, and the read-only
// figure boxes beside such captions.
#include <QLabel>
#include <QLineEdit>
#include <QRect>

QLabel* Caption_Label(QWidget* parent, const QString& text, const QRect& r,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// A right-aligned, read-only box that the Tab key passes by (totals, amounts).
QLineEdit* Figure_Box(QWidget* parent, const QString& name, const QString& text, const QRect& r);

// Gives a caption its own colour, size (pixels, 0 keeps it), weight and
// letter spacing, on the panel or page it stands on.
void Tint_Caption(QLabel* label, const QColor& colour, int pixel_size, bool bold, qreal letter_spacing);
