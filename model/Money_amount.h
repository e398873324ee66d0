#pragma once
// An amount of money, kept in whole cents: what is typed, stored, paid and
// counted adds up to the cent. Amounts the program accepts lie from 0 to
// Most_Money; sums and differences of them (a shortfall, a season's
// winnings) may go beyond either end.
#include <QString>
#include <compare>
#include <cstdint>

class Money_Amount {
public:
    constexpr Money_Amount() = default;
    // Whole units: Money_Amount(50) is 50.00.
    constexpr Money_Amount(int units) : cents_(static_cast<int64_t>(units) * 100) {}
    // A fraction would be cut to whole units without a word: say Of_Cents
    // or Nearest instead.
    Money_Amount(double) = delete;
    Money_Amount(float) = delete;
    Money_Amount(long double) = delete;
    static constexpr Money_Amount Of_Cents(int64_t cents)
    {
        Money_Amount a;
        a.cents_ = cents;
        return a;
    }
    // The nearest cent of a figure worked out in floating point (an ICM
    // value, an old single-precision pool); not finite: 0.
    static Money_Amount Nearest(long double value);

    constexpr int64_t Cents() const { return cents_; }
    // For painting and for the phone's JSON only: the nearest double.
    double Value() const { return static_cast<double>(cents_) / 100.0; }

    constexpr auto operator<=>(const Money_Amount&) const = default;
    constexpr Money_Amount operator+(Money_Amount o) const { return Of_Cents(cents_ + o.cents_); }
    constexpr Money_Amount operator-(Money_Amount o) const { return Of_Cents(cents_ - o.cents_); }
    constexpr Money_Amount operator-() const { return Of_Cents(-cents_); }
    constexpr Money_Amount operator*(int64_t n) const { return Of_Cents(cents_ * n); }
    Money_Amount& operator+=(Money_Amount o) { cents_ += o.cents_; return *this; }
    Money_Amount& operator-=(Money_Amount o) { cents_ -= o.cents_; return *this; }

private:
    int64_t cents_ = 0;
};

constexpr Money_Amount Most_Money = Money_Amount::Of_Cents(100'000'000'000); // 1,000,000,000.00

// "100", "10.1", "617.28", "-68.57": trailing zeros dropped, no decimal
// point for whole amounts, no thousands separator; point: the decimal
// separator to write.
QString Amount_Text(Money_Amount a, QChar point = QLatin1Char('.'));

// Reads an amount: blanks around it, digits with at most two decimals after
// the decimal point (more only when they are zeros), no sign, no exponent,
// no thousands separators; from 0 to Most_Money. point: the separator
// accepted besides '.' ('.' itself: only '.'). Returns "" or the reason the
// text is refused.
QString Parse_Amount(const QString& text, Money_Amount& value, QChar point = QLatin1Char('.'));
