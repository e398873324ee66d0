#pragma once
// The program's version information, compiled in from CMake. A name that is
// not known gives an empty text.
#include <QString>

QString Version_Value(const QString& name); // "ProductName", "ProductVersion", "LegalCopyright"
