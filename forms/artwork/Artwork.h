#pragma once
// The pictures the program paints: the title artwork (a poker table's green
// felt under a lamp, the gold "Velmora" title with "Home Edition" beneath it,
// a fanned royal flush and stacks of chips), the reports' logo, the chip
// pictures and the window icon.
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

// The reports' logo: the gold title on the felt above cards and stacks of
// chips, upright like the 104 x 189 the report pages show it at (written at
// twice that size, 208 x 378).
QImage Report_Logo(QSize size = QSize(208, 378));

// The five chip colours of the default chip set, in denomination order.
enum class Chip_Colour { White, Red, Blue, Green, Black };

// One poker chip of that colour lying on a light table cloth, seen from a
// little above, filling a picture of the given size (designed for 172 x 130,
// twice the size of the program's chip boxes).
QImage Chip_Picture(Chip_Colour colour, QSize size = QSize(172, 130));
