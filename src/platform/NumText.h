// Locale-free numbers and dates as text. The windowing library sets the C locale from the
// environment, so nothing here uses printf, strtod or streams: the exact forms the documents and
// files need are built by hand or with <charconv>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A text that is not a number or date of the expected form.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;

// Signed decimal integer: optional leading blanks, a sign, digits; raises EConvertError for anything
// else and for a value outside the 32-bit signed range.
std::int32_t StrToInt(std::string_view text);
std::string IntToStr(std::int64_t value);
// At least three digits, leading zeros ("%.3d"): the index part of a stream name.
std::string IndexToStr(std::int64_t value);
// The same text placed at out, which has room for kIndexChars; returns the end of the text.
inline constexpr std::size_t kIndexChars = 20;
char* PutIndex(char* out, std::int64_t value);

// Decimal floating-point number with the given decimal separator (blanks around it, sign, fraction,
// exponent allowed); raises EConvertError.
double StrToFloat(std::string_view text, char decimalSeparator);
// General number format with at most 15 significant digits ("38353", "38353.5", "1E20").
std::string FloatToStr(double value, char decimalSeparator = '.');

TDateTime EncodeDate(int year, int month, int day); // raises EConvertError for an invalid date
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
TDateTime Today(); // the local date, time 0

// A date in the short date form day, month, year with the given separator ("01.01.2005");
// raises EConvertError.
TDateTime StrToDate(std::string_view text, char dateSeparator);
// "dd.mm.yyyy"
std::string DateToStr(TDateTime value, char dateSeparator = '.');
