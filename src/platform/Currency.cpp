#include "platform/Currency.h"

#include "platform/NumText.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <stdexcept>

std::size_t Currency::ToChars(char* out, char decimalSeparator) const {
    char* p = out;
    unsigned long long a = raw_ < 0 ? 0ULL - static_cast<unsigned long long>(raw_) : static_cast<unsigned long long>(raw_);
    if (raw_ < 0) *p++ = '-';
    p = std::to_chars(p, out + kMaxChars, a / Scale).ptr;
    unsigned long long frac = a % Scale;
    if (frac != 0) {
        // The decimals without their trailing zeros, and nothing after them: the text may be placed
        // straight into a document's block, where the bytes past it must stay as they were.
        const auto f = static_cast<unsigned>(frac), hi = f / 100, lo = f % 100;
        const int decimals = lo != 0 ? (lo % 10 != 0 ? 4 : 3) : (hi % 10 != 0 ? 2 : 1);
        *p++ = decimalSeparator;
        p[0] = static_cast<char>('0' + hi / 10);
        if (decimals > 1) p[1] = static_cast<char>('0' + hi % 10);
        if (decimals > 2) p[2] = static_cast<char>('0' + lo / 10);
        if (decimals > 3) p[3] = static_cast<char>('0' + lo % 10);
        p += decimals;
    }
    return static_cast<std::size_t>(p - out);
}

std::string Currency::ToString(char decimalSeparator) const {
    char text[kMaxChars];
    return std::string(text, ToChars(text, decimalSeparator));
}

bool Currency::ParseGeneral(std::string_view s, char sep, std::int64_t& out) {
    std::size_t i = 0, n = s.size();
    while (i < n && s[i] == ' ') ++i;
    while (n > i && s[n - 1] == ' ') --n;
    bool neg = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    std::string digits; // significant digits without leading zeros
    long exp10 = 0;     // value = digits * 10^exp10
    bool any = false;
    for (; i < n && s[i] >= '0' && s[i] <= '9'; ++i) {
        any = true;
        if (!digits.empty() || s[i] != '0') digits.push_back(s[i]);
    }
    if (i < n && s[i] == sep) {
        ++i;
        for (; i < n && s[i] >= '0' && s[i] <= '9'; ++i) {
            any = true;
            if (!digits.empty() || s[i] != '0') digits.push_back(s[i]);
            --exp10;
        }
    }
    if (!any) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool eneg = false;
        if (i < n && (s[i] == '+' || s[i] == '-')) eneg = s[i++] == '-';
        if (i >= n) return false;
        long e = 0;
        for (; i < n && s[i] >= '0' && s[i] <= '9'; ++i)
            if (e < 100000) e = e * 10 + (s[i] - '0');
        exp10 += eneg ? -e : e;
    }
    if (i != n) return false;
    if (digits.empty()) {
        out = 0;
        return true;
    }
    long scale = exp10 + 4; // digits * 10^scale is the raw value
    constexpr __int128 kMax = static_cast<__int128>(INT64_MAX);
    __int128 raw = 0;
    if (scale >= 0) {
        if (static_cast<long>(digits.size()) + scale > 19) return false;
        for (char d : digits) raw = raw * 10 + (d - '0');
        for (long k = 0; k < scale; ++k) raw *= 10;
    } else {
        long drop = -scale;
        long keep = static_cast<long>(digits.size()) - drop;
        if (keep > 19) return false;
        for (long k = 0; k < keep; ++k) raw = raw * 10 + (digits[k] - '0');
        // Round the dropped digits: above half up, exact half to even.
        int first = keep >= 0 ? digits[keep] - '0' : 0;
        bool rest = false;
        for (long k = (keep >= 0 ? keep + 1 : 0); k < static_cast<long>(digits.size()); ++k)
            if (digits[k] != '0') rest = true;
        if (keep < 0) { // every digit lies below the half of the last place
            first = 0;
            rest = true;
        }
        if (first > 5 || (first == 5 && rest) || (first == 5 && !rest && (raw & 1))) ++raw;
    }
    if (raw > kMax) return false;
    out = static_cast<std::int64_t>(neg ? -raw : raw);
    return true;
}

Currency Currency::Parse(std::string_view text, char sep) {
    Currency c;
    if (!TryParse(text, sep, c)) throw EConvertError("«" + std::string(text) + "» не является числом");
    return c;
}

Currency RoundToKopeck(double roubles) {
    const long double q = static_cast<long double>(roubles) / static_cast<long double>(0.01);
    if (!std::isfinite(q) || std::fabs(q) > 9.0e16L) throw std::overflow_error("Сумма слишком велика.");
    // The default rounding mode rounds an exact tie to the even number.
    const long double k = std::nearbyintl(q);
    return Currency::FromRaw(static_cast<std::int64_t>(k) * 100);
}

Currency NormAmount(Currency amount, int percent) {
    // The exact product in 1/1,000,000 of a rouble, then the nearest binary number of it.
    std::int64_t product = 0;
    long double roubles;
    if (!__builtin_mul_overflow(amount.Raw(), static_cast<std::int64_t>(percent), &product))
        roubles = static_cast<long double>(product) / 1000000.0L;
    else
        roubles = amount.ToExtended() * percent / 100.0L;
    return RoundToKopeck(static_cast<double>(roubles));
}
