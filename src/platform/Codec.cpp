#include "platform/Codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace codec {
namespace {

// Upper halves (0x80..0xFF) of the two code pages, as Unicode code points.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

constexpr std::array<char16_t, 128> kCp866High = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B,
    0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433,
    0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B,
    0x044C, 0x044D, 0x044E, 0x044F, 0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

std::string CharName(char32_t cp) {
    std::string s;
    if (cp == 0) return "с кодом 0";
    s = "«";
    AppendUtf8(s, cp);
    s += "»";
    return s;
}

// The byte of each code point U+0400..U+047F (the Cyrillic block, two UTF-8 bytes led by 0xD0 or
// 0xD1) in a code page, zero where the page has none.
using CyrillicBytes = std::array<std::uint8_t, 128>;

constexpr CyrillicBytes MakeCyrillicBytes(const std::array<char16_t, 128>& high) {
    CyrillicBytes bytes{};
    for (unsigned i = 0; i < high.size(); ++i)
        if (high[i] >= 0x0400 && high[i] < 0x0480) bytes[high[i] - 0x0400] = static_cast<std::uint8_t>(0x80 + i);
    return bytes;
}

constexpr CyrillicBytes kCp1251Cyrillic = MakeCyrillicBytes(kCp1251High);
constexpr CyrillicBytes kCp866Cyrillic = MakeCyrillicBytes(kCp866High);

// The page's upper half ordered by code point, for the characters outside the Cyrillic letters
// (quotes, dashes, "№", box drawing) that a text meets now and then.
struct HighByte {
    char16_t cp;
    std::uint8_t byte;
};
using HighIndex = std::array<HighByte, 128>;

constexpr HighIndex MakeHighIndex(const std::array<char16_t, 128>& high) {
    HighIndex index{};
    for (unsigned i = 0; i < high.size(); ++i) index[i] = {high[i], static_cast<std::uint8_t>(0x80 + i)};
    std::sort(index.begin(), index.end(), [](HighByte a, HighByte b) { return a.cp < b.cp; });
    return index;
}

struct CodePage {
    const CyrillicBytes& cyrillic;
    HighIndex index;
    const char* name;
};

constexpr CodePage kCp1251{kCp1251Cyrillic, MakeHighIndex(kCp1251High), "Windows-1251"};
constexpr CodePage kCp866{kCp866Cyrillic, MakeHighIndex(kCp866High), "CP866"};

// Code point -> byte of the code page, -1 when the page has no place for it.
int ToByte(const CodePage& page, char32_t cp) {
    if (cp == 0) return -1;
    if (cp < 0x80) return static_cast<int>(cp);
    auto it = std::lower_bound(page.index.begin(), page.index.end(), cp, [](HighByte h, char32_t c) { return h.cp < c; });
    return it != page.index.end() && it->cp == cp ? it->byte : -1;
}

// A character never takes more bytes in the code page than in UTF-8: the text is written into
// room of the UTF-8 length.
char* Put(char* p, std::string_view utf8, const CodePage& page) {
    const CyrillicBytes& cyrillic = page.cyrillic;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        // Eight plain ASCII characters at a time are their own form.
        while (utf8.size() - pos >= 8 && IsPlainAsciiEight(utf8.data() + pos)) {
            std::memcpy(p, utf8.data() + pos, 8);
            p += 8;
            pos += 8;
        }
        // The plain ASCII characters before the next other one, or the text's end.
        for (; pos < utf8.size() && static_cast<unsigned char>(utf8[pos] - 1) < 0x7F; ++pos) *p++ = utf8[pos];
        // A run of Cyrillic letters, a byte each.
        while (utf8.size() - pos >= 2) {
            const auto lead = static_cast<unsigned char>(utf8[pos]), next = static_cast<unsigned char>(utf8[pos + 1]);
            if ((lead & 0xFE) != 0xD0 || (next & 0xC0) != 0x80) break;
            const std::uint8_t b = cyrillic[(lead & 1u) << 6 | (next & 0x3Fu)];
            if (b == 0) break;
            *p++ = static_cast<char>(b);
            pos += 2;
        }
        if (pos == utf8.size()) break;
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        if (lead != 0 && lead < 0x80) continue;
        // Two-byte characters, the Cyrillic letters among them, are decoded here; the rest and
        // every malformed sequence by the full decoder.
        char32_t cp;
        const auto next = pos + 1 < utf8.size() ? static_cast<unsigned char>(utf8[pos + 1]) : 0u;
        if (lead >= 0xC2 && lead < 0xE0 && (next & 0xC0) == 0x80) {
            cp = static_cast<char32_t>((lead & 0x1F) << 6 | (next & 0x3F));
            pos += 2;
        } else {
            cp = NextCodePoint(utf8, pos);
        }
        int b = ToByte(page, cp);
        if (b < 0)
            throw ETextEncoding("Символ " + CharName(cp) + " нельзя записать в кодировке " + page.name + ".");
        *p++ = static_cast<char>(b);
    }
    return p;
}

void Encode(std::string& out, std::string_view utf8, const CodePage& page) {
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    out.resize(static_cast<std::size_t>(Put(out.data() + start, utf8, page) - out.data()));
}

std::string Encode(std::string_view utf8, const CodePage& page) {
    std::string out;
    Encode(out, utf8, page);
    return out;
}

// The UTF-8 form of every byte of a code page, made once from its table.
struct Utf8Form {
    std::uint8_t size;
    char bytes[3];
};
using Utf8Forms = std::array<Utf8Form, 256>;

constexpr Utf8Forms MakeUtf8Forms(const std::array<char16_t, 128>& high) {
    Utf8Forms forms{};
    for (unsigned c = 0; c < 256; ++c) {
        const char16_t cp = c < 0x80 ? static_cast<char16_t>(c) : high[c - 0x80];
        Utf8Form& f = forms[c];
        if (cp < 0x80) {
            f = {1, {static_cast<char>(cp), 0, 0}};
        } else if (cp < 0x800) {
            f = {2, {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0}};
        } else {
            f = {3, {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (cp & 0x3F))}};
        }
    }
    return forms;
}

constexpr Utf8Forms kCp1251Forms = MakeUtf8Forms(kCp1251High);
constexpr Utf8Forms kCp866Forms = MakeUtf8Forms(kCp866High);

void Decode(std::string_view bytes, const Utf8Forms& forms, std::string& out) {
    // Plain ASCII (numbers and codes) is its own form.
    if (IsPlainAscii(bytes)) {
        out.assign(bytes);
        return;
    }
    // A short text, as nearly every one is, goes in one pass through room for its longest form:
    // each character's three bytes are copied whole and the next one starts after its own size.
    constexpr std::size_t kShort = 256;
    if (bytes.size() <= kShort) {
        char room[3 * kShort];
        char* p = room;
        for (char ch : bytes) {
            const Utf8Form& f = forms[static_cast<unsigned char>(ch)];
            std::memcpy(p, f.bytes, 3);
            p += f.size;
        }
        out.assign(room, p);
        return;
    }
    // A longer one is measured first and written into its place.
    std::size_t size = 0;
    for (char ch : bytes) size += forms[static_cast<unsigned char>(ch)].size;
    out.resize(size);
    char* p = out.data();
    for (char ch : bytes) {
        const Utf8Form& f = forms[static_cast<unsigned char>(ch)];
        p[0] = f.bytes[0];
        if (f.size > 1) {
            p[1] = f.bytes[1];
            if (f.size > 2) p[2] = f.bytes[2];
        }
        p += f.size;
    }
}

std::string Decode(std::string_view bytes, const Utf8Forms& forms) {
    std::string out;
    Decode(bytes, forms, out);
    return out;
}

} // namespace

char32_t NextCodePoint(std::string_view s, std::size_t& pos) {
    auto bad = [] { return ETextEncoding("Текст содержит неверную последовательность UTF-8."); };
    auto c = static_cast<unsigned char>(s[pos]);
    if (c < 0x80) {
        ++pos;
        return c;
    }
    int extra;
    char32_t cp;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        throw bad();
    }
    if (pos + extra >= s.size()) throw bad();
    for (int i = 1; i <= extra; ++i) {
        auto d = static_cast<unsigned char>(s[pos + i]);
        if ((d & 0xC0) != 0x80) throw bad();
        cp = (cp << 6) | (d & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) throw bad();
    pos += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string Utf8ToCp1251(std::string_view utf8) { return Encode(utf8, kCp1251); }
void AppendCp1251(std::string& out, std::string_view utf8) { Encode(out, utf8, kCp1251); }
char* PutCp1251(char* out, std::string_view utf8) { return Put(out, utf8, kCp1251); }
std::string Cp1251ToUtf8(std::string_view cp1251) { return Decode(cp1251, kCp1251Forms); }
void Cp1251ToUtf8(std::string_view cp1251, std::string& out) { Decode(cp1251, kCp1251Forms, out); }
std::string Utf8ToCp866(std::string_view utf8) { return Encode(utf8, kCp866); }
std::string Cp866ToUtf8(std::string_view cp866) { return Decode(cp866, kCp866Forms); }

bool IsCp1251Char(char32_t cp) { return ToByte(kCp1251, cp) >= 0; }

std::size_t CharCount(std::string_view utf8) {
    std::size_t n = 0;
    for (char ch : utf8)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

std::string UpperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = NextCodePoint(utf8, pos);
        if (cp >= U'a' && cp <= U'z')
            cp -= 0x20;
        else if (cp >= 0x0430 && cp <= 0x044F) // а..я
            cp -= 0x20;
        else if (cp >= 0x0450 && cp <= 0x045F) // ѐ..џ (ё, ђ, ѓ, є, ѕ, і, ї, ј, љ, њ, ћ, ќ, ў, џ)
            cp -= 0x50;
        else if (cp == 0x0491) // ґ
            cp = 0x0490;
        AppendUtf8(out, cp);
    }
    return out;
}

} // namespace codec
