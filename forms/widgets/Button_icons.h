#pragma once
// The style's standard pictures for buttons, kept at the sizes buttons show.
// A standard icon carries every size up to 128 pixels, loaded at once; the
// program's buttons show 16 to 32, so only those are kept, once per kind.
#include <QIcon>
#include <QStyle>

QIcon Button_Icon(const QWidget* widget, QStyle::StandardPixmap which);
