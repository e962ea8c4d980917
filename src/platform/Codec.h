// Conversion between the UTF-8 text held in memory and the single-byte code pages of the outside
// world: Windows-1251 in document files and the hand-over block, CP866 in the tax-office text file.
// Every length the program counts is a count of characters of these code pages, i.e. of Unicode code
// points of the UTF-8 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace codec {

// A text that cannot be stored: a character the code page has no place for, character code 0 (a
// zero byte ends a document block) or malformed UTF-8.
class ETextEncoding : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UTF-8 -> Windows-1251. Throws ETextEncoding for a character Windows-1251 cannot hold and for
// character code 0; never drops or replaces a character.
std::string Utf8ToCp1251(std::string_view utf8);
// The same, appended to out (a buffer kept for many texts allocates once).
void AppendCp1251(std::string& out, std::string_view utf8);
// The same, placed at out, which has room for utf8.size() bytes (no character takes more bytes in
// Windows-1251 than in UTF-8); returns the end of the text.
char* PutCp1251(char* out, std::string_view utf8);

// True when the text holds nothing but ASCII characters other than code 0: such a text is its own
// Windows-1251 and CP866 form.
inline bool IsPlainAsciiEight(const char* p) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHighs = 0x8080808080808080ULL;
    std::uint64_t eight;
    std::memcpy(&eight, p, 8);
    return ((eight | (eight - kOnes)) & kHighs) == 0; // a zero byte borrows and sets its high bit
}
inline bool IsPlainAscii(std::string_view text) {
    std::size_t i = 0;
    for (; text.size() - i >= 8; i += 8)
        if (!IsPlainAsciiEight(text.data() + i)) return false;
    bool plain = true;
    for (; i < text.size(); ++i) plain &= static_cast<unsigned char>(text[i] - 1) < 0x7F;
    return plain;
}

// Windows-1251 -> UTF-8. Every byte has a character (the one unassigned byte 0x98 keeps its own
// code point U+0098, so nothing read is lost and it is written back unchanged).
std::string Cp1251ToUtf8(std::string_view cp1251);
// The same into out, replacing what it held: a text read into its place needs no copy.
void Cp1251ToUtf8(std::string_view cp1251, std::string& out);

// UTF-8 -> CP866 (the OEM code page of the tax-office file). Throws ETextEncoding like Utf8ToCp1251.
std::string Utf8ToCp866(std::string_view utf8);
std::string Cp866ToUtf8(std::string_view cp866);

// True when the code point has a place in Windows-1251 (code 0 excluded).
bool IsCp1251Char(char32_t cp);

// Number of characters (code points) of a UTF-8 text; the stored length of the text.
std::size_t CharCount(std::string_view utf8);

// Upper case of a UTF-8 text by the code page's own table (Latin and Cyrillic letters, "ё" -> "Ё"),
// independent of the process locale.
std::string UpperCase(std::string_view utf8);

// Decodes one code point at pos (advancing pos); throws ETextEncoding on malformed UTF-8.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

} // namespace codec
