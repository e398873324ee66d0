#pragma once
// The program's title artwork, painted in code: a poker table's green felt
// under a lamp, the gold "Velmora" title with "Home Edition" beneath it, a
// fanned royal flush and stacks of chips.
#include <QImage>
#include <QSize>

// The splash picture (designed for 700 x 453). The lower left, where the
// splash puts its white version and copyright lines, lies on the dark padded
// rail of the table.
QImage Title_Artwork(QSize size = QSize(700, 453));

// The wider picture of the About box (designed for 369 x 201).
QImage About_Artwork(QSize size = QSize(369, 201));

// A picture scaled proportionally (smoothly, aspect ratio kept) to the
// largest size that fits into the box.
QImage Scaled_Into(const QImage& picture, QSize box);

// The program's window icon: a poker chip seen from above, size x size.
QImage Program_Icon(int size);
