#pragma once
// The program's window fonts. The windows are laid out for Tahoma 8 point;
// a plain Debian has no Tahoma, but fonts-wine ships one that we register as
// an application font. Without it DejaVu Sans stands in at the same size.
#include <QFont>
#include <QString>

// Registers Tahoma (regular and bold) when the files are present. Safe to call
// more than once; needs the QApplication.
void Load_Program_Fonts();
// Only the regular face: enough for the splash, which start-up shows before
// the rest is loaded.
void Load_Regular_Program_Font();

// "Tahoma" when it could be loaded, otherwise "DejaVu Sans".
QString Program_Font_Family();

// The windows' font: the program family at the given point size.
QFont Program_Font(int point_size = 8);
