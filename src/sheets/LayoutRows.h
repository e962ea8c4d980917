// Page layouts as data: one typed row per element of a page's layout table, read by Layout().
// A new page is new rows; the rows read like the form's tables (position in mm, size, text or the
// name of the value they print).
#pragma once

#include "platform/Currency.h"
#include "reportlayer/ReportLayer.h"

#include <QString>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace layout {

// Caption styles, combined with "|".
enum TStyle : unsigned { kPlain = 0, kBold = 1, kUnderline = 2, kItalic = 4 };

// GreyPanel: a grey fill without an outline, behind a caption.
enum class TFill { None, White, Grey, GreyPanel };

// When a row prints its value: only when the page prints values (the default), or always.
enum class TShow { WithValues, Always };
inline constexpr TShow kAlways = TShow::Always;

// Faces of value characters: the report's default "Arial" 10 bold, or "Unreal" 10 bold.
enum class TFace { Arial, Unreal };

// A fixed caption in "Unreal".
struct Caption {
    double left, top;
    int size;
    unsigned style;
    const char* text;
};

// A caption of up to four lines at the pitch of its size; lines separated by "|".
struct CaptionLines {
    double left, top;
    int size;
    bool bold;
    const char* lines;
};

struct HLine {
    double left, top, width;
    rl::TPen pen = rl::TPen::Solid;
};

struct VLine {
    double left, top, height;
};

// A rectangle with a black outline.
struct Frame {
    double left, top, width, height;
    TFill fill = TFill::None;
};

// The page code in barcode bars: the value's text ("!5102!0095!").
struct PageCode {
    double left, top;
    const char* value;
};

// A row of `count` character boxes 5 x 6 mm (the rectangles share their left edge, widths 5, 10,
// ...), one character of the value in each, `inset` right of the box's edge. The character labels
// are always created; they are empty where the value ends or when values are not printed.
struct CharBoxes {
    double left, top;
    int count;
    const char* value;
    double inset = 1.2;
};

// Box rectangles alone: `count` adjacent boxes 5 mm wide.
struct Boxes {
    double left, top;
    int count;
    double height = 6;
};

// Characters first .. first + count - 1 of a value, one label each at left + pitch * k; an empty
// label past the value's end.
struct Chars {
    double left, top, pitch;
    const char* value;
    int first, count;
    TFace face = TFace::Unreal;
    TShow show = TShow::WithValues;
};

// `count` vertical rules `pitch` apart: the walls of a row of cells.
struct Rules {
    double left, top, pitch;
    int count;
    double height = 6;
};

// Where a text stands in its field: from the field's start (the form's way), or trimmed of its
// blanks and ending at the field's end (a count that must never lose a digit to a wider face).
enum class TAlign { Left, Right };

// A text value on its underline, cut to the width (mbRek.CreateText).
struct TextField {
    double left, top;
    int width;
    const char* value;
    rl::TPen pen = rl::TPen::Solid;
    TShow show = TShow::WithValues;
    TAlign align = TAlign::Left;
};

// The next line of a text: the value from the character after those the field before it of the
// same value kept, at most `most` characters (all when negative), on its own underline.
struct TextGoesOn {
    double left, top;
    int width;
    const char* value;
    rl::TPen pen = rl::TPen::Solid;
    int most = -1;
};

// Roubles and kopecks in digit cells (mbRek.CreateCurrency); the value is an amount.
struct MoneyField {
    double left, top;
    int width;
    const char* value;
};

// Whole roubles in digit cells (mbRek.CreateRubles); the value is a count of roubles.
struct RublesField {
    double left, top;
    int width;
    const char* value;
};

// A label holding a text value in "Unreal".
struct ValueLabel {
    double left, top;
    const char* value;
    int size = 10;
    unsigned style = kBold;
    TShow show = TShow::WithValues;
};

// A label holding a text value in "Unreal" 10 bold, created only when the value is given at all.
struct GivenLabel {
    double left, top;
    const char* value;
};

// A "V" in one of several boxes: at the left paired with the value's text, at `otherwise` when no
// pair matches, none when `otherwise` is negative.
struct Tick {
    double top;
    const char* value;
    std::vector<std::pair<const char*, double>> at;
    double otherwise = -1;
};

// A text value in "Unreal" 8 broken into lines between words (inside a word only when the word
// alone is wider than a line); the lines that fit wholly in the height are shown.
struct WrappedText {
    double left, top, width, height;
    const char* value;
};

using TLayoutRow = std::variant<Caption, CaptionLines, HLine, VLine, Frame, PageCode, CharBoxes, Boxes, Chars, Rules,
                                TextField, TextGoesOn, MoneyField, RublesField, ValueLabel, GivenLabel, Tick,
                                WrappedText>;
using TRows = std::vector<TLayoutRow>;

} // namespace layout

using layout::TLayoutRow;
using layout::TRows;

// The values a page prints, by name.
struct TValues {
    std::map<std::string, QString> Texts;
    std::map<std::string, Currency> Amounts;
    std::map<std::string, std::int64_t> Roubles;
};

// Creates the elements of the rows on the band, in order. A row that prints a value prints nothing
// of it when printValues is false, unless the row says it always shows; its boxes, cells and
// underlines are drawn all the same.
void Layout(rl::TBand& band, const TRows& rows, const TValues& values, bool printValues);

// The rows moved by (dx, dy): a table that repeats on one band at another place.
TRows Shifted(const TRows& rows, double dx, double dy);
