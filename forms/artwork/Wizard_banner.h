#pragma once
// The wizard's banner: a strip of green felt with the program's chips and
// its gold title, painted in code.
#include <QImage>
#include <QSize>

QImage Wizard_Banner(QSize size);
