#include "sheets/GeneralClasses.h"

#include "platform/VAztecBarCode.h"

namespace {

QString CharAt(const QString& s, int i) { return i < s.size() ? QString(s[i]) : QString(); }

} // namespace

// ---------------------------------------------------------------------------------------------

mbText mbText::Create(int Left, double Top, int Width, const QString& Text, rl::TBand& Parent) {
    QString text = Text;
    const rl::TFontSpec font = fonts::Letterica(11, true);
    // Characters come off the end until the text fits; an empty text always fits.
    while (!text.isEmpty() && rl::TextWidthMm(text, font) > Width - 2) text.chop(1);
    Parent.AddLabel(Left + 2, Top - 4.5, text, font);
    return mbText{static_cast<int>(text.size())};
}

mbRek mbRek::CreateText(int Left, double Top, int Width, const QString& Text, rl::TBand& Parent, bool Dotted) {
    const mbText t = mbText::Create(Left, Top, Width, Text, Parent);
    Parent.AddHLine(Left, Top, Width, Dotted ? rl::TPen::Dot : rl::TPen::Solid);
    return mbRek{t.FittedLength};
}

void mbRek::CreateCurrency(int Left, double Top, int Width, Currency Value, rl::TBand& Parent) {
    Parent.AddHLine(Left, Top, Width, rl::TPen::Dot);
    Parent.AddHLine(Left + Width + 8, Top, 5, rl::TPen::Dot);
    const std::int64_t kopecks = Value.Raw() / 100; // truncated toward zero
    mbLabel::Create(Left + Width + 1, Top - 2.8, QStringLiteral("руб."), 8, Parent, false);
    mbLabel::Create(Left + Width + 13, Top - 2.8, QStringLiteral("коп."), 8, Parent, false);
    mbSum::Create(Left, Top, Width, true, QString::number(kopecks < 0 ? -kopecks : kopecks), Parent, kopecks < 0);
}

void mbRek::CreateRubles(int Left, double Top, int Width, std::int64_t Value, rl::TBand& Parent) {
    Parent.AddHLine(Left, Top, Width, rl::TPen::Dot);
    mbSum::Create(Left, Top, Width, false, QString::number(Value < 0 ? -Value : Value), Parent, Value < 0);
    mbLabel::Create(Left + Width + 1, Top - 2.8, QStringLiteral("руб."), 8, Parent, false);
}

void mbSum::Create(int Left, double Top, int Width, bool KopeckMode, QString Digits, rl::TBand& Parent, bool Negative) {
    const rl::TFontSpec font = fonts::Unreal(11, true);
    auto cell = [&](double left, QChar c, bool overflow) {
        Parent.AddLabel(left, Top - 4.3, QString(c), font, overflow ? kRed : kBlack);
    };
    double firstLeft = 0;
    bool overflow = false;
    if (KopeckMode) {
        while (Digits.size() < 3) Digits.prepend(QLatin1Char('0'));
        const int n = static_cast<int>(Digits.size());
        overflow = n > 14;
        if (Digits == QLatin1String("000")) return;
        for (int i = 1; i <= n - 2; ++i) {
            firstLeft = Left + Width - 3 * i;
            cell(firstLeft, Digits[n - 2 - i], overflow);
        }
        cell(Left + Width + 7, Digits[n - 2], overflow);
        cell(Left + Width + 10, Digits[n - 1], overflow);
    } else {
        const int n = static_cast<int>(Digits.size());
        overflow = n > 12;
        if (Digits == QLatin1String("0")) return;
        for (int i = 1; i <= n; ++i) {
            firstLeft = Left + Width - 3 * i;
            cell(firstLeft, Digits[n - i], overflow);
        }
    }
    // The sign stands outside the cells, just left of the first one used.
    if (Negative) Parent.AddLabel(firstLeft - 3, Top - 4.3, QStringLiteral("-"), font, overflow ? kRed : kBlack);
}

void mbLabel::Create(double Left, double Top, const QString& Caption, int Size, rl::TBand& Parent, bool Bold) {
    Parent.AddLabel(Left, Top, Caption, fonts::Unreal(Size, Bold));
}

void mbLabel::CreateLines(double Left, double Top, const QStringList& Lines, int Size, rl::TBand& Parent, bool Bold) {
    double pitch = 0;
    switch (Size) {
    case 6:
    case 7: pitch = 2.8; break;
    case 8: pitch = 3.2; break;
    case 9: pitch = 3.4; break;
    default: pitch = 0; break;
    }
    for (int k = 0; k < Lines.size() && k < 4; ++k) Create(Left, Top + k * pitch, Lines[k], Size, Parent, Bold);
}

void mbSq5::Create(rl::TBand& Parent, int Count, const QString& Text, double Top, double Left) {
    for (int i = 0; i < Count; ++i) Parent.AddRect(Left, Top, 5.0 * (i + 1), 6);
    for (int i = 0; i < Count; ++i) Parent.AddLabel(Left + 1.2 + 5 * i, Top + 1, CharAt(Text, i), fonts::Unreal(10, true));
}

void mbTable::Create(rl::TBand& Parent, const std::vector<int>& Heights, const std::vector<bool>& Shaded,
                     const std::vector<bool>& Unnumbered, int RowCount, bool KopecksHeading) {
    std::vector<double> bottom(static_cast<std::size_t>(RowCount), 0);
    double acc = 0;
    for (int i = 0; i < RowCount; ++i) {
        acc += Heights.at(static_cast<std::size_t>(i));
        bottom[static_cast<std::size_t>(i)] = acc;
    }
    auto top = [&](int i) { return i == 0 ? 0.0 : bottom[static_cast<std::size_t>(i - 1)]; };
    for (int i = RowCount - 1; i >= 0; --i)
        Parent.AddRect(7, 0, 181, bottom[static_cast<std::size_t>(i)], Shaded.at(static_cast<std::size_t>(i)) ? kGrey : QColor(Qt::white));
    int number = 0;
    for (int i = 1; i < RowCount; ++i) {
        if (Unnumbered.at(static_cast<std::size_t>(i))) continue;
        ++number;
        const double y = (top(i) + bottom[static_cast<std::size_t>(i)]) / 2 - 1;
        QString code = QString::number(number) + QLatin1Char('0');
        if (code.size() < 3) code.prepend(QLatin1Char('0'));
        mbLabel::Create(9, y, QString::number(number), 10, Parent, true);
        mbLabel::Create(113, y, code, 10, Parent, false);
    }
    Parent.AddRect(7, 0, 9, bottom.back());
    for (int i = 0; i < RowCount; ++i) {
        if (i == 1 || (i >= 2 && Shaded.at(static_cast<std::size_t>(i)))) continue;
        const double h = bottom[static_cast<std::size_t>(i)] - top(i);
        Parent.AddVLine(108.5, top(i), h);
        Parent.AddVLine(122.5, top(i), h);
    }
    mbLabel::CreateLines(9, 3, {QStringLiteral(" № "), QStringLiteral("п/п")}, 8, Parent, false);
    mbLabel::Create(54, 5, QStringLiteral("Показатели"), 8, Parent, false);
    mbLabel::CreateLines(112, 3, {QStringLiteral("  Код"), QStringLiteral("строки")}, 8, Parent, false);
    mbLabel::CreateLines(145, 3,
                         {QStringLiteral("Значения показателей"),
                          KopecksHeading ? QStringLiteral("              (руб., коп.)") : QStringLiteral("           (руб.)")},
                         8, Parent, false);
}

QString GroupDigits(QString digits) {
    const int n = static_cast<int>(digits.size());
    const int r = n % 3;
    for (int j = 0; j < n / 3; ++j) digits.insert(r + 4 * j, QLatin1Char(' '));
    return digits;
}

namespace {

void RightAligned(rl::TBand& band, int x, double top, const QString& text, QColor color) {
    rl::TElement& e = band.AddLabel(x, top, text, fonts::Letterica(13, true), color);
    e.left = x - e.width;
}

} // namespace

void mbRekNum::CreateCurrency(int X, double Top, Currency Value, rl::TBand& Parent, bool Dash) {
    const double top = Top - 3.5;
    const QColor color = kBlack; // every amount the money type holds is below the red limit
    if (!Value.IsZero()) {
        const std::int64_t roubles = Value.Raw() / 10000;
        const QString text = (Value.Raw() < 0 ? QStringLiteral("-") : QString()) + GroupDigits(QString::number(roubles < 0 ? -roubles : roubles));
        RightAligned(Parent, X, top, text, color);
    } else if (Dash) {
        RightAligned(Parent, X, top, QStringLiteral("----"), kBlack);
    }
    std::int64_t k = Value.Raw() / 100;
    if (k != 0) {
        if (k < 0) k = -k;
        const QString two = QString::number(k % 100).rightJustified(2, QLatin1Char('0'));
        Parent.AddLabel(X, top, QStringLiteral(".") + two, fonts::Letterica(13, true), color);
    }
}

void mbRekNum::CreateRubles(int X, double Top, std::int64_t Value, rl::TBand& Parent, bool Dash) {
    const double top = Top - 3.5;
    if (Value != 0) {
        const std::int64_t a = Value < 0 ? -Value : Value;
        const QString text = (Value < 0 ? QStringLiteral("-") : QString()) + GroupDigits(QString::number(a));
        RightAligned(Parent, X, top, text, Value >= 1000000000000000LL ? kRed : kBlack);
    } else if (Dash) {
        RightAligned(Parent, X, top, QStringLiteral("----"), kBlack);
    }
}

// ---------------------------------------------------------------------------------------------

void mbZagL(rl::TOstrekReport& AOwner, const QString& INN, const QString& Surname, const QString& FirstInitial,
            const QString& PatronymicInitial, const QString& SectionCode, const QString& PageNumber, const QString& PageCode,
            bool PrintValues) {
    rl::TBand& b = AOwner.NewBand(true);
    b.AddPageCode(9, 9, PageCode);
    b.AddLabel(59, 9, QStringLiteral("ИНН"), fonts::Unreal(12, true));
    b.AddHLine(70, 8, 72);
    b.AddHLine(70, 14, 72);
    for (int i = 0; i <= 12; ++i) b.AddVLine(70 + 6 * i, 8, 6);
    if (PrintValues)
        for (int i = 0; i < 12; ++i) b.AddLabel(71.2 + 6 * i, 9, CharAt(INN, i), fonts::Arial(10, true));
    b.AddLabel(110, 16, QStringLiteral("Стр."), fonts::Unreal(12, true));
    b.AddHLine(130, 15, 18);
    b.AddHLine(130, 21, 18);
    for (int i = 0; i <= 3; ++i) b.AddVLine(130 + 6 * i, 15, 6);
    if (PrintValues) {
        const QString page = PageNumber.rightJustified(3, QLatin1Char('0'));
        for (int i = 0; i < 3; ++i) b.AddLabel(131.2 + 6 * i, 16, CharAt(page, i), fonts::Arial(10, true));
    }
    b.AddLabel(152, 22, QStringLiteral("Форма по КНД 1151020"), fonts::Unreal(10, true));
    b.AddLabel(169, 26, QStringLiteral("Раздел ") + SectionCode, fonts::Unreal(10, true));
    b.AddLabel(6.5, 33, QStringLiteral("Фамилия"), fonts::Unreal(9, true));
    b.AddLabel(172, 33, QStringLiteral("И."), fonts::Unreal(9, true));
    b.AddLabel(182.1, 33, QStringLiteral("О."), fonts::Unreal(9, true));
    b.AddHLine(22, 31, 148.8);
    b.AddHLine(22, 37, 148.8);
    for (int i = 0; i <= 31; ++i) b.AddVLine(22 + 4.8 * i, 31, 6);
    if (PrintValues)
        for (int i = 0; i < 31; ++i) b.AddLabel(23.3 + 4.8 * i, 32, CharAt(Surname, i), fonts::Unreal(10, true));
    b.AddHLine(176.3, 31, 4.8);
    b.AddHLine(176.3, 37, 4.8);
    b.AddVLine(176.3, 31, 6);
    b.AddVLine(181.1, 31, 6);
    if (PrintValues) b.AddLabel(177.6, 32, CharAt(FirstInitial, 0), fonts::Unreal(10, true));
    b.AddHLine(185.6, 31, 4.8);
    b.AddHLine(185.6, 37, 4.8);
    b.AddVLine(190.4, 31, 6);
    b.AddVLine(185.6, 31, 6);
    if (PrintValues) b.AddLabel(186.9, 32, CharAt(PatronymicInitial, 0), fonts::Unreal(10, true));
    b.Height = 38;
}

void mbPodval(rl::TOstrekReport& AOwner, const QString& DateText, bool PrintDate) {
    rl::TBand& b = AOwner.NewBand(false);
    const QString date = PrintDate ? DateText : QStringLiteral("  ,  ,    ");
    b.AddLabel(20, 1, QStringLiteral("Достоверность и полноту сведений, указанных на данной странице, подтверждаю:"), fonts::Unreal(10));
    b.AddLabel(20, 7, QStringLiteral("Подпись"), fonts::Unreal(10));
    b.AddLabel(102, 7, QStringLiteral("Дата"), fonts::Unreal(10));
    b.AddHLine(47, 11, 54);
    const double cells[] = {127, 131.8, 140.6, 145.4, 154.2, 159, 163.8, 168.6};
    const int positions[] = {0, 1, 3, 4, 6, 7, 8, 9};
    for (double left : cells) b.AddRect(left, 6, 4.8, 6, QColor(Qt::white));
    for (int i = 0; i < 8; ++i) b.AddLabel(cells[i] + 1.2, 7, CharAt(date, positions[i]), fonts::Arial(10, true));
    b.Height = rl::kDefaultBandHeight;
}

// ---------------------------------------------------------------------------------------------

#include "report/ClassesLogDan.h"
#include "report/ClassesReportPlan.h"
#include "sheets/ClassesNum.h"
#include "sheets/ClassesTitul.h"

void PageHeader(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, int pageIndex) {
    const kTPersonDan& p = *ctx.DanLog.PersonDan;
    const TSheetKindInfo& info = SheetKindInfo(kind);
    const bool form4 = ctx.DanLog.DeclDan->DeclarationKind == 2;
    const QString pageCode = QString::fromUtf8(form4 && info.PageCode4 ? info.PageCode4 : info.PageCode);
    const QString first = QString::fromStdString(p.FirstName), patronymic = QString::fromStdString(p.Patronymic);
    mbZagL(report, QString::fromStdString(p.INN), QString::fromStdString(p.SurName), first.left(1), patronymic.left(1),
           QString::fromUtf8(info.SectionCode ? info.SectionCode : ""),
           QString::number(ctx.DanLog.SheetFirstPage[kind] + 1 + pageIndex), pageCode, true);
}

void PageFooter(rl::TOstrekReport& report, const TBuildContext& ctx) {
    mbPodval(report, QString::fromStdString(DateToStr(ctx.DanLog.DeclDan->FilingDate)), ctx.DanLog.PrintDate);
}

void AddBarcodeImages(rl::TBand& band, const TBuildContext& ctx, int firstImage, std::initializer_list<double> tops) {
    int index = firstImage;
    for (double top : tops) {
        if (index >= 0 && index < ctx.BarcodeFiles.size())
            band.AddImage(192, top, 10, 50, ctx.BarcodeFiles[index], kAztecImageDpi);
        ++index;
    }
}

bool HasBuilder(int kind) { return kind >= skTitul && kind <= skRazdel6; }

bool BuildSheet(int kind, rl::TOstrekReport& report, const TBuildContext& ctx) {
    switch (kind) {
    case skTitul: return BuildTitul(report, ctx);
    case skAdr: return BuildAdr(report, ctx);
    case skRazdel1: return BuildRazdel1(report, ctx);
    case skRazdel2: return BuildRazdel2(report, ctx);
    case skRazdel3: return BuildRazdel3(report, ctx);
    case skRazdel4: return BuildRazdel4(report, ctx);
    case skRazdel5: return BuildRazdel5(report, ctx);
    case skRazdel6: return BuildRazdel6(report, ctx);
    default: return false;
    }
}

// ---------------------------------------------------------------------------------------------

void Layout(rl::TBand& band, const std::vector<TLayoutRow>& rows, const TValues& values, bool printValues) {
    auto text = [&](const char* name) {
        const auto it = values.Texts.find(name);
        return printValues && it != values.Texts.end() ? it->second : QString();
    };
    auto amount = [&](const char* name) {
        const auto it = values.Amounts.find(name);
        return printValues && it != values.Amounts.end() ? it->second : Currency();
    };
    auto roubles = [&](const char* name) {
        const auto it = values.Roubles.find(name);
        return printValues && it != values.Roubles.end() ? it->second : std::int64_t{0};
    };
    for (const TLayoutRow& r : rows) {
        const int left = static_cast<int>(r.left), width = static_cast<int>(r.a);
        switch (r.kind) {
        case TRow::Label: {
            const QString caption = QString::fromUtf8(r.text);
            const bool isValue = caption.startsWith(QLatin1Char('{')) && caption.endsWith(QLatin1Char('}'));
            const QString shown = isValue ? text(caption.mid(1, caption.size() - 2).toUtf8().constData()) : caption;
            const int style = static_cast<int>(r.b);
            mbLabel::Create(r.left, r.top, shown, static_cast<int>(r.a), band, (style & 1) != 0);
            band.Elements.back().font.underline = (style & 2) != 0;
            band.Elements.back().font.italic = (style & 4) != 0;
            break;
        }
        case TRow::Lines:
            mbLabel::CreateLines(r.left, r.top, QString::fromUtf8(r.text).split(QLatin1Char('|')), static_cast<int>(r.a), band, r.b != 0);
            break;
        case TRow::HLine: band.AddHLine(r.left, r.top, r.a); break;
        case TRow::DotLine: band.AddHLine(r.left, r.top, r.a, rl::TPen::Dot); break;
        case TRow::VLine: band.AddVLine(r.left, r.top, r.a); break;
        case TRow::Rect: band.AddRect(r.left, r.top, r.a, r.b); break;
        case TRow::Box: band.AddRect(r.left, r.top, r.a, r.b, QColor(Qt::white)); break;
        case TRow::GreyBox: band.AddRect(r.left, r.top, r.a, r.b, kGrey); break;
        case TRow::Boxes: mbSq5::Create(band, static_cast<int>(r.a), text(r.text), r.top, r.left); break;
        case TRow::Text: mbRek::CreateText(left, r.top, width, text(r.text), band, false); break;
        case TRow::TextDotted: mbRek::CreateText(left, r.top, width, text(r.text), band, true); break;
        case TRow::Money: mbRek::CreateCurrency(left, r.top, width, amount(r.text), band); break;
        case TRow::Rubles: mbRek::CreateRubles(left, r.top, width, roubles(r.text), band); break;
        case TRow::SectionMoney:
            if (printValues) mbRekNum::CreateCurrency(left, r.top, amount(r.text), band, r.b != 0);
            break;
        case TRow::SectionRubles:
            if (printValues) mbRekNum::CreateRubles(left, r.top, roubles(r.text), band, r.b != 0);
            break;
        case TRow::ValueLabel: mbLabel::Create(r.left, r.top, text(r.text), static_cast<int>(r.a), band, r.b != 0); break;
        case TRow::ValueLetterica: band.AddLabel(r.left, r.top, text(r.text), fonts::Letterica(11, true)); break;
        }
    }
}
