#pragma once
// A player as sentences name him: the key "First,Last" read as "First Last"
// (blanks around the names dropped; a key without a last name is the first
// name alone).
#include <QString>

QString Person_Name(const QString& key);
