#pragma once
// Numbers as the pages show and read them: the general float text with at
// most 15 significant digits and the user's decimal separator, and the
// parsing of what the operator typed. Sums and products of the chip and
// payout pages are taken in extended precision (long double).
#include <QString>
#include <cstdint>

// "100", "87.5", "617.280029296875", "0"; trailing zeros dropped, no decimal
// separator for whole numbers; exponent notation from 1E15 and below 1E-5.
QString Screen_Float_Text(long double value);

// A decimal number in the user's notation ("87.5", or "87,5" where the comma
// is the decimal separator), optionally signed and with an exponent; blanks
// around it are allowed. No thousands separators. Empty, malformed, infinite
// or not-a-number texts fail.
bool Parse_Screen_Float(const QString& text, long double& value);

// Plain decimal digits with an optional sign, within 32 bits.
bool Parse_Whole(const QString& text, int32_t& value);
