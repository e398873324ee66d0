#pragma once
// The pictures that must exist as files: the default chip pictures beside the
// program and the logo the HTML reports show. Painted by the artwork code and
// written as JPEG.
#include <QString>
#include <QStringList>

// "white_chipsm.jpg" ... "black_chipsm.jpg", in denomination order.
QStringList Default_Chip_Files();

// Writes the five default chip pictures into the folder (replacing them).
void Write_Default_Chip_Pictures(const QString& folder);

// Writes the program's logo "logo.jpg" into the reports folder when there is
// none; an existing "logo.jpg" (the operator's own, perhaps) is never replaced.
void Ensure_Report_Logo(const QString& reports_folder);
