// The money type: a signed 64-bit count of 1/10,000 of a rouble (four decimal places), with its
// locale-free text forms and the main program's kopeck rounding.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromRaw(std::int64_t raw) {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    static constexpr Currency FromInt(std::int64_t whole) {
        std::int64_t raw = 0;
        if (__builtin_mul_overflow(whole, Scale, &raw)) raw = whole < 0 ? kMinRaw : kMaxRaw;
        return FromRaw(raw);
    }

    constexpr std::int64_t Raw() const { return raw_; }
    constexpr bool IsZero() const { return raw_ == 0; }
    long double ToExtended() const { return static_cast<long double>(raw_) / 10000.0L; }
    double ToDouble() const { return static_cast<double>(ToExtended()); }

    // Shortest decimal text: "-" for negative values, no grouping, the separator and one to four
    // decimals only when the fraction is not zero ("1234.5", "0", "-1").
    std::string ToString(char decimalSeparator = ',') const;
    // The same text placed at out, which has room for kMaxChars; returns its length. No byte past
    // that length is written.
    static constexpr std::size_t kMaxChars = 21; // "-", 15 whole digits, the separator and 4 decimals
    std::size_t ToChars(char* out, char decimalSeparator = ',') const;

    // Reads a decimal number (blanks around it, a sign, digits, the separator, an exponent "E"),
    // rounding to four decimals with an exact half going to the even digit. False for anything else
    // and for a value outside the type's range.
    // The plain form every document writes (an optional minus, at most 14 whole digits, the
    // separator with one to four decimals or none) is read inline, the rest out of line.
    static bool TryParse(std::string_view text, char decimalSeparator, Currency& out) {
        std::int64_t raw;
        if (!ParsePlain(text, decimalSeparator, raw) && !ParseGeneral(text, decimalSeparator, raw)) return false;
        out = FromRaw(raw);
        return true;
    }
    // As TryParse; raises EConvertError (platform/NumText.h) on failure.
    static Currency Parse(std::string_view text, char decimalSeparator);

    // An amount that would leave the type's range stays at its bound. No document the program
    // writes comes near it (entries have at most 12 whole digits), but a damaged one may hold any
    // amount, and its sums must neither wrap into the other sign nor be undefined.
    constexpr Currency operator-() const { return FromRaw(raw_ == kMinRaw ? kMaxRaw : -raw_); }
    constexpr Currency operator+(Currency o) const { return FromRaw(Add(raw_, o.raw_)); }
    constexpr Currency operator-(Currency o) const { return FromRaw(Sub(raw_, o.raw_)); }
    constexpr Currency& operator+=(Currency o) {
        raw_ = Add(raw_, o.raw_);
        return *this;
    }
    constexpr Currency& operator-=(Currency o) {
        raw_ = Sub(raw_, o.raw_);
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    // Such a text is exact, needs no rounding and cannot leave the range.
    static bool ParsePlain(std::string_view s, char sep, std::int64_t& raw) {
        std::size_t i = !s.empty() && s[0] == '-' ? 1 : 0;
        const std::size_t firstDigit = i;
        std::int64_t v = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
            if (i - firstDigit == 14) return false;
            v = v * 10 + (s[i] - '0');
        }
        if (i == firstDigit) return false;
        int decimals = 0;
        if (i < s.size() && s[i] == sep) {
            for (++i; i < s.size() && decimals < 4 && s[i] >= '0' && s[i] <= '9'; ++i, ++decimals) v = v * 10 + (s[i] - '0');
            if (decimals == 0) return false;
        }
        if (i != s.size()) return false;
        static constexpr std::int64_t kToScale[] = {10000, 1000, 100, 10, 1}; // by the decimals given
        v *= kToScale[decimals];
        raw = firstDigit ? -v : v;
        return true;
    }
    // Any other decimal text: blanks, a sign, an exponent, more digits, rounding.
    [[gnu::noinline]] static bool ParseGeneral(std::string_view s, char sep, std::int64_t& out);

    static constexpr std::int64_t kMaxRaw = INT64_MAX;
    static constexpr std::int64_t kMinRaw = INT64_MIN;
    static constexpr std::int64_t Add(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        if (__builtin_add_overflow(a, b, &r)) return b < 0 ? kMinRaw : kMaxRaw;
        return r;
    }
    static constexpr std::int64_t Sub(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        if (__builtin_sub_overflow(a, b, &r)) return b < 0 ? kMaxRaw : kMinRaw;
        return r;
    }

    std::int64_t raw_ = 0;
};

// The main program's rounding of a derived amount to the kopeck: the value in roubles as a 64-bit
// binary number is divided by the binary number nearest to 0.01 in extended precision (64-bit
// mantissa) and the quotient is rounded to the nearest whole number, an exact tie to the even one.
// At an exact decimal half-kopeck the binary value decides (0.10 x 25 % -> 0.03, 0.06 x 25 % -> 0.01).
Currency RoundToKopeck(double roubles);

// A deduction at a norm: amount x percent / 100, taken exactly, as the binary number nearest to it,
// rounded to the kopeck as above.
Currency NormAmount(Currency amount, int percent);
