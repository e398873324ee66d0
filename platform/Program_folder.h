#pragma once
// The program folder: the folder of the executable, always ending in '/'.
// Tests point it (and with it Data/, Reports/ and the settings file) at a
// temporary folder.
#include <QString>

QString Program_Folder();                    // "/opt/velmora/"
void Set_Program_Folder(const QString& folder); // a trailing '/' is added when missing
QString Data_Folder();                       // Program_Folder() + "Data/"
QString Reports_Folder();                    // Program_Folder() + "Reports/"
QString Settings_Path();                     // the executable's path with ".ini" (velmora -> velmora.ini)
QString Sounds_Folder();                     // Program_Folder() + "Sounds/"
