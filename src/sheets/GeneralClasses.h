// The printing building blocks of the declaration's pages, and the page header and footer bands.
// Each block places one element of the form (a digit row, a text on its underline, a caption, a row
// of character boxes, a section table ...) on a band, at fixed positions in millimetres.
#pragma once

#include "platform/Currency.h"
#include "reportlayer/ReportLayer.h"
#include "sheets/LayoutRows.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace fonts {
inline rl::TFontSpec Unreal(double size, bool bold = false) { return {QStringLiteral("Unreal"), size, bold}; }
inline rl::TFontSpec Letterica(double size, bool bold = true) { return {QStringLiteral("AGLettericaCondensedLight"), size, bold}; }
inline rl::TFontSpec Arial(double size, bool bold = true) { return {QStringLiteral("Arial"), size, bold}; }
} // namespace fonts

inline const QColor kBlack(0, 0, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kGrey(0xC0, 0xC0, 0xC0);

// A text value cut to its field: the longest leading part narrower than Width - 2.
struct mbText {
    static mbText Create(int Left, double Top, int Width, const QString& Text, rl::TBand& Parent);
    int FittedLength = 0;
};

// A row of digit cells, right-aligned to the end of the rouble underline (kopecks in two cells
// after it). A negative amount gets its "-" just left of the first cell used.
struct mbSum {
    static void Create(int Left, double Top, int Width, bool KopeckMode, QString Digits, rl::TBand& Parent,
                       bool Negative = false);
};

struct mbRek {
    static mbRek CreateText(int Left, double Top, int Width, const QString& Text, rl::TBand& Parent, bool Dotted);
    static void CreateCurrency(int Left, double Top, int Width, Currency Value, rl::TBand& Parent);
    static void CreateRubles(int Left, double Top, int Width, std::int64_t Value, rl::TBand& Parent);
    int FittedLength = 0;
};

// A caption of one to four lines (Size 6 to 9 for more than one line).
struct mbLabel {
    static void Create(double Left, double Top, const QString& Caption, int Size, rl::TBand& Parent, bool Bold);
    static void CreateLines(double Left, double Top, const QStringList& Lines, int Size, rl::TBand& Parent, bool Bold);
};

// A row of character boxes 5 x 6 mm.
struct mbSq5 {
    static void Create(rl::TBand& Parent, int Count, const QString& Text, double Top, double Left);
};

// The grid of a calculation-section table.
struct mbTable {
    static void Create(rl::TBand& Parent, const std::vector<int>& Heights, const std::vector<bool>& Shaded,
                       const std::vector<bool>& Unnumbered, int RowCount, bool KopecksHeading);
};

// An amount in a section table, roubles grouped by threes ending at X.
struct mbRekNum {
    static void CreateCurrency(int X, double Top, Currency Value, rl::TBand& Parent, bool Dash);
    static void CreateRubles(int X, double Top, std::int64_t Value, rl::TBand& Parent, bool Dash);
};

// "1234567" -> "1 234 567"; a length that is a multiple of three also begins with a blank.
QString GroupDigits(QString digits);

// The page header: page code, INN, page number, form and section codes, surname and initials.
void mbZagL(rl::TOstrekReport& AOwner, const QString& INN, const QString& Surname, const QString& FirstInitial,
            const QString& PatronymicInitial, const QString& SectionCode, const QString& PageNumber, const QString& PageCode,
            bool PrintValues);
// The page footer: attestation, signature line and the date in eight cells.
void mbPodval(rl::TOstrekReport& AOwner, const QString& DateText, bool PrintDate);

// ---------------------------------------------------------------------------------------------
// What the builders of the pages read, and never change: the model, the figures, the page plan and
// the run's barcode images.

class kTDanLog;
struct kTSvodSum;
struct TPagePlan;

struct TBuildContext {
    const kTDanLog& DanLog;
    const kTSvodSum& SvodSum;
    const TPagePlan& Plan;
    const QList<QImage>& BarcodeImages; // in page order: page p shows entries 3(p - 1) to 3(p - 1) + 2
};

// The page header of page `pageIndex` (from 0) of a sheet kind, with the filer's values.
void PageHeader(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, int pageIndex);
// The page footer with the declaration's date.
void PageFooter(rl::TOstrekReport& report, const TBuildContext& ctx);
// An amount for a row of 15 character boxes, ending in the last box: whole roubles rounded as the
// text file writes them, so the figure in the boxes is the one the barcodes beside it carry.
QString RoublesInFifteenBoxes(Currency amount);
// The two-dimensional barcode images of a page: slots of 10 x 50 mm at Left 192 and the given tops,
// from entry firstImage of the run's images on; an entry beyond the list makes no image. Each image
// keeps the natural size the barcode library made it for, centred in its slot.
void AddBarcodeImages(rl::TBand& band, const TBuildContext& ctx, int firstImage, std::initializer_list<double> tops);

