#pragma once
// The boxes of the structure beside the blinds: an ante per level and the
// choice of the ante's kind. The Blinds page and the wizard's schedule share
// them, with one rule for their texts: an empty box is 0, a level's length
// or break that is not set is left empty.
#include "model/Structure.h"

#include <QRect>

class QComboBox;
class QLineEdit;
class QWidget;

// "Ante<n>_Edit", right-aligned, with the hint that 0 or empty means none.
QLineEdit* Ante_Box(QWidget* parent, int level, const QRect& r);
// "Ante_Type_Combo": "Big blind ante" / "Per player ante".
QComboBox* Ante_Type_Box(QWidget* parent, const QRect& r);

Ante_Kind Chosen_Ante_Kind(const QComboBox* box);
void Show_Ante_Kind(QComboBox* box, Ante_Kind kind);

// A whole number in a range from a box: empty or not a number reads as 0,
// a number outside the range as its nearest end (0 stays 0).
int32_t Box_Number(const QLineEdit* box, int32_t most);
// The text of a value in such a box: empty for 0.
QString Box_Text(int32_t value);
