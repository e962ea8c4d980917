#include "sheets/LayoutRows.h"

#include "sheets/GeneralClasses.h"

#include <QStringList>

namespace {

template <class... F>
struct TOverload : F... {
    using F::operator()...;
};
template <class... F>
TOverload(F...) -> TOverload<F...>;

QStringList WrapWords(const QString& text, const rl::TFontSpec& font, double width) {
    QStringList lines;
    QString line;
    for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (rl::TextWidthMm(joined, font) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) lines << line;
        while (word.size() > 1 && rl::TextWidthMm(word, font) > width) {
            int n = static_cast<int>(word.size()) - 1;
            while (n > 1 && rl::TextWidthMm(word.left(n), font) > width) --n;
            lines << word.left(n);
            word = word.mid(n);
        }
        line = word;
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

void BoxRow(rl::TBand& band, double left, double top, int count, const QString& text, double inset) {
    for (int i = 0; i < count; ++i) band.AddRect(left, top, 5.0 * (i + 1), 6);
    for (int i = 0; i < count; ++i)
        band.AddLabel(left + inset + 5 * i, top + 1, i < text.size() ? QString(text[i]) : QString(), fonts::Unreal(10, true));
}

} // namespace

void mbSq5::Create(rl::TBand& Parent, int Count, const QString& Text, double Top, double Left) {
    BoxRow(Parent, Left, Top, Count, Text, 1.2);
}

void Layout(rl::TBand& band, const TRows& rows, const TValues& values, bool printValues) {
    using namespace layout;
    auto given = [&](const char* name) -> const QString* {
        const auto it = values.Texts.find(name);
        return it != values.Texts.end() ? &it->second : nullptr;
    };
    auto text = [&](const char* name, TShow show = TShow::WithValues) {
        const QString* v = given(name);
        return (printValues || show == TShow::Always) && v ? *v : QString();
    };
    auto amount = [&](const char* name) {
        const auto it = values.Amounts.find(name);
        return printValues && it != values.Amounts.end() ? it->second : Currency();
    };
    auto roubles = [&](const char* name) {
        const auto it = values.Roubles.find(name);
        return printValues && it != values.Roubles.end() ? it->second : std::int64_t{0};
    };
    // How much of each text value its fields have shown so far, for the lines that go on with it.
    std::map<std::string, int> shown;

    for (const TLayoutRow& row : rows) {
        std::visit(
            TOverload{
                [&](const Caption& r) {
                    rl::TFontSpec font = fonts::Unreal(r.size, (r.style & kBold) != 0);
                    font.underline = (r.style & kUnderline) != 0;
                    font.italic = (r.style & kItalic) != 0;
                    band.AddLabel(r.left, r.top, QString::fromUtf8(r.text), font);
                },
                [&](const CaptionLines& r) {
                    mbLabel::CreateLines(r.left, r.top, QString::fromUtf8(r.lines).split(QLatin1Char('|')), r.size, band, r.bold);
                },
                [&](const HLine& r) { band.AddHLine(r.left, r.top, r.width, r.pen); },
                [&](const VLine& r) { band.AddVLine(r.left, r.top, r.height); },
                [&](const Frame& r) {
                    const QColor fill = r.fill == TFill::White ? QColor(Qt::white)
                                        : r.fill == TFill::None ? QColor()
                                                                : kGrey;
                    rl::TElement& e = band.AddRect(r.left, r.top, r.width, r.height, fill);
                    if (r.fill == TFill::GreyPanel) e.color = QColor(Qt::transparent);
                },
                [&](const PageCode& r) {
                    const QString* v = given(r.value);
                    band.AddPageCode(r.left, r.top, v ? *v : QString());
                },
                [&](const CharBoxes& r) { BoxRow(band, r.left, r.top, r.count, text(r.value), r.inset); },
                [&](const Boxes& r) {
                    for (int i = 0; i < r.count; ++i) band.AddRect(r.left, r.top, 5.0 * (i + 1), r.height);
                },
                [&](const Chars& r) {
                    if (!printValues && r.show != TShow::Always) return;
                    const QString v = text(r.value, TShow::Always);
                    const rl::TFontSpec font = r.face == TFace::Arial ? fonts::Arial(10, true) : fonts::Unreal(10, true);
                    for (int k = 0; k < r.count; ++k) {
                        const int i = r.first + k;
                        band.AddLabel(r.left + r.pitch * k, r.top, i < v.size() ? QString(v[i]) : QString(), font);
                    }
                },
                [&](const Rules& r) {
                    for (int k = 0; k < r.count; ++k) band.AddVLine(r.left + r.pitch * k, r.top, r.height);
                },
                [&](const TextField& r) {
                    const QString t = text(r.value, r.show);
                    const bool right = r.align == TAlign::Right;
                    const mbRek f = mbRek::CreateText(static_cast<int>(r.left), r.top, r.width, right ? t.trimmed() : t, band,
                                                      r.pen == rl::TPen::Dot);
                    if (right) {
                        rl::TElement& label = band.Elements[band.Elements.size() - 2]; // the underline came after it
                        label.left = r.left + r.width - label.width;
                    }
                    shown[r.value] = f.FittedLength;
                },
                [&](const TextGoesOn& r) {
                    const int start = shown[r.value];
                    const QString rest = text(r.value).mid(start, r.most);
                    const mbRek f = mbRek::CreateText(static_cast<int>(r.left), r.top, r.width, rest, band, r.pen == rl::TPen::Dot);
                    shown[r.value] = start + f.FittedLength;
                },
                [&](const MoneyField& r) {
                    mbRek::CreateCurrency(static_cast<int>(r.left), r.top, r.width, amount(r.value), band);
                },
                [&](const RublesField& r) {
                    mbRek::CreateRubles(static_cast<int>(r.left), r.top, r.width, roubles(r.value), band);
                },
                [&](const ValueLabel& r) {
                    rl::TFontSpec font = fonts::Unreal(r.size, (r.style & kBold) != 0);
                    font.underline = (r.style & kUnderline) != 0;
                    font.italic = (r.style & kItalic) != 0;
                    band.AddLabel(r.left, r.top, text(r.value, r.show), font);
                },
                [&](const GivenLabel& r) {
                    if (const QString* v = given(r.value)) band.AddLabel(r.left, r.top, *v, fonts::Unreal(10, true));
                },
                [&](const Tick& r) {
                    const QString v = text(r.value, TShow::Always);
                    double left = r.otherwise;
                    for (const auto& [key, x] : r.at)
                        if (v == QString::fromUtf8(key)) left = x;
                    if (left >= 0) band.AddLabel(left, r.top, QStringLiteral("V"), fonts::Unreal(10, true));
                },
                [&](const WrappedText& r) {
                    const rl::TFontSpec font = fonts::Unreal(8);
                    const double pitch = rl::TextHeightMm(font);
                    const QStringList lines = WrapWords(text(r.value, TShow::Always), font, r.width);
                    for (int k = 0; k < lines.size() && (k + 1) * pitch <= r.height; ++k)
                        band.AddLabel(r.left, r.top + k * pitch, lines[k], font);
                },
            },
            row);
    }
}

TRows Shifted(const TRows& rows, double dx, double dy) {
    TRows out = rows;
    for (TLayoutRow& row : out)
        std::visit(
            [&](auto& r) {
                using R = std::decay_t<decltype(r)>;
                if constexpr (std::is_same_v<R, layout::Tick>) {
                    r.top += dy;
                    for (auto& a : r.at) a.second += dx;
                    if (r.otherwise >= 0) r.otherwise += dx;
                } else {
                    r.left += dx;
                    r.top += dy;
                }
            },
            row);
    return out;
}
