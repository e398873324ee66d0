#include "forms/Screen_numbers.h"

#include <QLocale>
#include <QRegularExpression>

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

bool Parse_Screen_Float(const QString& text, long double& value)
{
    // The pattern is built again only when the user's separator changes: the
    // pages parse some thirty numbers on every page switch.
    static QString pattern_point;
    static QRegularExpression number;
    const QString point = Decimal_Separator();
    if (point != pattern_point || !number.isValid() || number.pattern().isEmpty()) {
        const QString p = QRegularExpression::escape(point);
        number.setPattern(QStringLiteral("^[+-]?([0-9]+(%1[0-9]*)?|%1[0-9]+)([eE][+-]?[0-9]+)?$").arg(p));
        number.optimize();
        pattern_point = point;
    }
    QString t = text.trimmed();
    if (!number.match(t).hasMatch())
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
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    if (!integer.match(text).hasMatch())
        return false;
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}
