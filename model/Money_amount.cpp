#include "model/Money_amount.h"

#include <algorithm>
#include <cmath>

Money_Amount Money_Amount::Nearest(long double value)
{
    if (!std::isfinite(value))
        return Money_Amount();
    const long double cents = std::round(value * 100);
    // Far beyond any amount: held at a bound the arithmetic cannot overflow from.
    constexpr long double bound = 1e15L;
    return Of_Cents(static_cast<int64_t>(std::clamp(cents, -bound, bound)));
}

QString Amount_Text(Money_Amount a, QChar point)
{
    const int64_t cents = a.Cents();
    // The magnitude as unsigned: the most negative value has no positive twin.
    const uint64_t magnitude = cents < 0 ? 0 - static_cast<uint64_t>(cents) : static_cast<uint64_t>(cents);
    QString text = QString::number(magnitude / 100);
    const unsigned fraction = static_cast<unsigned>(magnitude % 100);
    if (fraction != 0) {
        text += point;
        text += QLatin1Char(static_cast<char>('0' + fraction / 10));
        if (fraction % 10 != 0)
            text += QLatin1Char(static_cast<char>('0' + fraction % 10));
    }
    return cents < 0 ? QLatin1Char('-') + text : text;
}

QString Parse_Amount(const QString& text, Money_Amount& value, QChar point)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return QStringLiteral("No amount is given.");
    if (s.startsWith(QLatin1Char('-')))
        return QStringLiteral("%1 is below 0: an amount cannot be negative.").arg(s);
    int64_t units = 0;
    int64_t cents = 0;
    int digits = 0, decimals = 0;
    bool after_point = false;
    for (const QChar c : s) {
        if (c.isDigit() && c.unicode() < 128) {
            const int d = c.unicode() - '0';
            if (!after_point) {
                // Beyond the largest amount already: the rest only has to be digits.
                if (units <= Most_Money.Cents())
                    units = units * 10 + d;
                ++digits;
            } else if (decimals < 2) {
                cents = cents * 10 + d;
                ++decimals;
            } else if (d != 0) {
                return QStringLiteral("%1 has more than two decimals: amounts are to the cent.").arg(s);
            }
        } else if (!after_point && (c == QLatin1Char('.') || c == point)) {
            after_point = true;
        } else {
            return QStringLiteral("%1 is not an amount.").arg(s);
        }
    }
    if (digits == 0 && decimals == 0)
        return QStringLiteral("%1 is not an amount.").arg(s);
    if (decimals == 1)
        cents *= 10;
    const Money_Amount a = Money_Amount::Of_Cents(units > Most_Money.Cents() ? Most_Money.Cents() + 1 : units * 100 + cents);
    if (a > Most_Money)
        return QStringLiteral("%1 is more than %2, the largest amount.").arg(s, Amount_Text(Most_Money));
    value = a;
    return QString();
}
