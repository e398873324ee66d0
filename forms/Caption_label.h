#pragma once
// A caption placed at a fixed spot of a page or dialog.
#include <QLabel>
#include <QRect>

QLabel* Caption_Label(QWidget* parent, const QString& text, const QRect& r,
                      Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
