#include "forms/widgets/Screen_numbers.h"

#include "platform/Text_lines.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

QString Decimal_Separator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QStringLiteral(".") : point;
}

} // namespace

QString Screen_Float_Text(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits, rounded: "d.dddddddddddddde[+-]x".
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14Le", value);
    std::string s(buf);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const size_t e_pos = s.find('e');
    const int exponent = std::stoi(s.substr(e_pos + 1));
    std::string digits = s.substr(0, 1) + s.substr(2, e_pos - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const std::string point = Decimal_Separator().toStdString();
    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += point + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole)
            out += digits + std::string(whole - digits.size(), '0');
        else
            out += digits.substr(0, whole) + point + digits.substr(whole);
    } else {
        out += "0" + point + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    return QString::fromStdString(out);
}

namespace {

// A decimal number as a box may hold it, with the given separator:
// [+-] digits [separator digits] or [+-] separator digits, then an optional
// exponent. Nothing else, no blanks inside.
bool Is_Decimal_Text(const QString& t, const QString& point)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'))
            ++i;
        return i - from;
    };
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    qsizetype whole = digits();
    qsizetype fraction = 0;
    if (!point.isEmpty() && QStringView(t).mid(i).startsWith(point)) {
        i += point.size();
        fraction = digits();
    }
    if (whole == 0 && fraction == 0)
        return false;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == n;
}

} // namespace

bool Parse_Screen_Float(const QString& text, long double& value)
{
    const QString point = Decimal_Separator();
    QString t = text.trimmed();
    if (!Is_Decimal_Text(t, point))
        return false;
    t.replace(point, QStringLiteral("."));
    std::string s = t.toStdString();
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    long double v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool Parse_Whole(const QString& text, int32_t& value)
{
    const std::optional<int32_t> whole = Whole_Number(text);
    if (!whole)
        return false;
    value = *whole;
    return true;
}
