#include "platform/NumText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>

namespace {

[[noreturn]] void Fail(std::string_view text, const char* what) {
    throw EConvertError("«" + std::string(text) + "» " + what);
}

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const long long kEpochShift = 25569; // 1970-01-01 is day 25569 after 1899-12-30

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

} // namespace

std::int32_t StrToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
    if (i >= text.size()) Fail(text, "не является целым числом");
    long long v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') Fail(text, "не является целым числом");
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) Fail(text, "не является целым числом");
    }
    if (neg) v = -v;
    if (v > 2147483647LL || v < -2147483648LL) Fail(text, "не является целым числом");
    return static_cast<std::int32_t>(v);
}

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IndexToStr(std::int64_t value) {
    char text[kIndexChars];
    return std::string(text, PutIndex(text, value));
}

char* PutIndex(char* out, std::int64_t value) {
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    if (value < 0) *out++ = '-';
    // The digits go straight into place from the last one: a name is made for every record.
    if (magnitude < 1000) { // the index of nearly every record
        const auto m = static_cast<unsigned>(magnitude);
        out[0] = static_cast<char>('0' + m / 100);
        out[1] = static_cast<char>('0' + m / 10 % 10);
        out[2] = static_cast<char>('0' + m % 10);
        return out + 3;
    }
    int width = 3;
    for (unsigned long long rest = magnitude / 1000; rest != 0; rest /= 10) ++width;
    for (int k = width - 1; k >= 0; --k, magnitude /= 10) out[k] = static_cast<char>('0' + magnitude % 10);
    return out + width;
}

double StrToFloat(std::string_view text, char sep) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string s(text.substr(b, e - b));
    bool neg = false;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    // Only digits, one separator and an exponent are allowed; the separator becomes '.' for
    // from_chars, which never looks at the locale.
    std::string norm;
    bool digits = false, seenSep = false, seenExp = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            norm.push_back(c);
        } else if (c == sep && !seenSep && !seenExp) {
            seenSep = true;
            norm.push_back('.');
        } else if ((c == 'e' || c == 'E') && digits && !seenExp) {
            seenExp = true;
            norm.push_back('e');
            if (i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')) norm.push_back(s[++i]);
        } else {
            Fail(text, "не является числом");
        }
    }
    if (!digits) Fail(text, "не является числом");
    double v = 0;
    auto [p, ec] = std::from_chars(norm.data(), norm.data() + norm.size(), v);
    if (ec != std::errc() || p != norm.data() + norm.size() || !std::isfinite(v)) Fail(text, "не является числом");
    return neg ? -v : v;
}

std::string FloatToStr(double value, char sep) {
    if (value == 0) return "0";
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, p);
    // to_chars writes "1e+20"; the general format of the documents writes "1E20" and "1E-5".
    std::size_t epos = s.find('e');
    if (epos != std::string::npos) {
        std::string mant = s.substr(0, epos);
        std::string ex = s.substr(epos + 1);
        bool eneg = !ex.empty() && ex[0] == '-';
        if (!ex.empty() && (ex[0] == '+' || ex[0] == '-')) ex.erase(0, 1);
        while (ex.size() > 1 && ex[0] == '0') ex.erase(0, 1);
        s = mant + "E" + (eneg ? "-" : "") + ex;
    }
    if (sep != '.')
        for (char& c : s)
            if (c == '.') c = sep;
    return s;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    out = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochShift);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime t;
    if (!TryEncodeDate(year, month, day, t))
        throw EConvertError("Неверная дата " + std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year));
    return t;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    if (!std::isfinite(value) || value < -693593 || value > 2958465) {
        year = month = day = 0;
        return;
    }
    CivilFromDays(static_cast<long long>(std::floor(value)) - kEpochShift, year, month, day);
}

TDateTime Today() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

TDateTime StrToDate(std::string_view text, char sep) {
    std::size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    while (n > i && text[n - 1] == ' ') --n;
    int parts[3] = {0, 0, 0};
    int digitsIn[3] = {0, 0, 0};
    int count = 0;
    while (i < n && count < 3) {
        int v = 0, d = 0;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            if (d < 6) v = v * 10 + (text[i] - '0');
            ++d;
            ++i;
        }
        if (d == 0 || d > 4) Fail(text, "не является датой");
        parts[count] = v;
        digitsIn[count] = d;
        ++count;
        if (i < n) {
            if (text[i] != sep || count == 3) Fail(text, "не является датой");
            ++i;
            if (i >= n) Fail(text, "не является датой");
        }
    }
    if (i != n || count < 2) Fail(text, "не является датой");
    int y, m, d;
    if (count == 2) { // day and month of the current year
        int ty, tm, td;
        DecodeDate(Today(), ty, tm, td);
        y = ty;
    } else {
        y = parts[2];
        if (digitsIn[2] <= 2) y += y < 50 ? 2000 : 1900;
    }
    d = parts[0];
    m = parts[1];
    TDateTime t;
    if (!TryEncodeDate(y, m, d, t)) Fail(text, "не является датой");
    return t;
}

std::string DateToStr(TDateTime value, char sep) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    auto two = [](int v) { return std::string(1, static_cast<char>('0' + v / 10 % 10)) + static_cast<char>('0' + v % 10); };
    std::string ys = std::to_string(y);
    while (ys.size() < 4) ys.insert(ys.begin(), '0');
    return two(d) + sep + two(m) + sep + ys;
}
