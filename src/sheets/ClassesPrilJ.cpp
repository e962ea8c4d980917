#include "sheets/ClassesPrilJ.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"

namespace {

using namespace layout;
using namespace securities;

constexpr auto kDot = rl::TPen::Dot;

const TRows& RowsJ1() {
    static const TRows rows = Join({
        {Caption{7, 0, 8, kBold, "1.1. Ценные бумаги, обращающиеся на организованном рынке ценных бумаг"}},
        SourceRows(0, "ИНН источника выплаты дохода (010)", "/ КПП (020)", "Наименование источника выплаты|дохода (030)"),
        {
            CaptionLines{69, 14.5, 7, false,
                         "1.1.2. Сумма документально подтвержденных|расходов по приобретению, хранению и|"
                         "реализации ценных бумаг, других расходов (050)"},
            CaptionLines{7, 17.3, 7, false, "1.1.1. Сумма, полученная от|реализации ценных бумаг (040)"},
            CaptionLines{130, 17.3, 7, false, "1.1.3. Сумма убытка от реализации ценных|бумаг, учитываемого при расчете (060)"},
            MoneyField{7, 27, 40, "L1"},
            MoneyField{69, 27, 40, "L2"},
            MoneyField{130, 27, 40, "L3"},
            FigureFrame(28.2, 192, 10),
            CaptionLines{7, 28.2, 7, false, "1.1.4. Сумма убытка, принимаемого к вычету|(из пп. 1.1.5 Листа И) (070)"},
            Caption{69, 28.2, 7, kPlain, "1.1.5. Сумма облагаемого дохода (080)"},
            Caption{123, 28.2, 7, kPlain, "1.1.6. Сумма убытка, учитываемая при расчете пп. 1.2.4. (090)"},
            MoneyField{7, 36.6, 41, "L4"},
            MoneyField{69, 36.6, 41, "L5"},
            MoneyField{130, 36.6, 41, "L6"},
        },
    });
    return rows;
}

const TRows& RowsJ2() {
    static const TRows rows = Join({
        {CaptionLines{7, 0, 8, true,
                      "1.2. Ценные бумаги, не обращающиеся на организованном рынке ценных бумаг, но на момент приобретения|"
                      "отвечавшие требованиям, предъявляемым к обращающимся ценным бумагам"}},
        SourceRows(3, "ИНН источника выплаты дохода (100)", "/ КПП (110)", "Наименование источника выплаты|дохода (120)"),
        {
            CaptionLines{69, 17.5, 7, false,
                         "1.2.2. Сумма документально подтвержденных|расходов по приобретению, хранению и|"
                         "реализации ценных бумаг, других расходов (140)"},
            CaptionLines{7, 20.3, 7, false, "1.2.1. Сумма, полученная от реализации ценных|бумаг (130)"},
            CaptionLines{130, 20.3, 7, false, "1.2.3. Сумма убытка от реализации ценных бумаг,|учитываемого при расчете (150)"},
            MoneyField{7, 30, 40, "L1"},
            MoneyField{69, 30, 40, "L2"},
            MoneyField{130, 30, 40, "L3"},
            FigureFrame(31.2, 148, 8),
            Caption{7, 31.2, 7, kPlain, "1.2.4. Сумма убытка, принимаемого к вычету (из пп. 1.1.6) (160)"},
            Caption{86, 31.2, 7, kPlain, "1.2.5. Сумма облагаемого дохода (170)"},
            MoneyField{7, 37.92, 41, "L4"},
            MoneyField{86, 37.92, 41, "L5"},
        },
    });
    return rows;
}

const TRows& RowsJ3() {
    static const TRows rows = Join({
        {Caption{7, 0, 8, kBold, "1.3. Ценные бумаги, не обращающиеся на организованном рынке ценных бумаг"}},
        SourceRows(0, "ИНН источника выплаты дохода (180)", "/ КПП (190)", "Наименование источника выплаты|дохода (200)"),
        {
            CaptionLines{69, 14.5, 7, false,
                         "1.3.2. Сумма документально подтвержденных|расходов по приобретению, хранению и|"
                         "реализации ценных бумаг, других расходов (220)"},
            CaptionLines{7, 17.3, 7, false, "1.3.1. Сумма, полученная от|реализации ценных бумаг (210)"},
            CaptionLines{130, 17.3, 7, false, "1.3.3. Сумма убытка от реализации ценных |бумаг, учитываемого при расчете (230)"},
            MoneyField{7, 27, 40, "L1"},
            MoneyField{69, 27, 40, "L2"},
            MoneyField{130, 27, 40, "L3"},
            FigureFrame(28.2, 148, 8),
            Caption{7, 35.2, 7, kPlain, kDashes61.c_str()},
            Caption{7, 28.2, 7, kPlain, "1.3.4. Сумма убытка, принимаемого к вычету (из пп. 1.3.5 Листа И) (240)"},
            Caption{90, 28.2, 7, kPlain, "1.3.5. Сумма облагаемого дохода (250)"},
            MoneyField{7, 34.92, 41, "L4"},
            MoneyField{90, 34.92, 41, "L5"},
        },
    });
    return rows;
}

const TRows& RowsJ5() {
    static const TRows rows = Join({
        {Caption{7, 0, 8, kBold,
                 "2. Расчет налоговой базы при продаже инвестиционных паев паевых инвестиционных фондов (включая их погашение)"}},
        SourceRows(0, "ИНН источника выплаты дохода (260)", "/ КПП (270)", "Наименование источника выплаты |дохода (280)"),
        {
            CaptionLines{135, 14.5, 7, false,
                         "2.3. Сумма убытка от реализации (погашения)|инвестиционных паев, учитываемого при расчете|(310)"},
            CaptionLines{69, 14.5, 7, false,
                         "2.2. Сумма документально подтвержденных расходов по|приобретению, хранению и реализации (погашению)|"
                         "инвестиционных паев, других расходов (300)"},
            CaptionLines{7, 17.3, 7, false, "2.1. Сумма, полученная от реализации|(погашения) инвестиционных паев (290)"},
            MoneyField{7, 27, 40, "L1"},
            MoneyField{69, 27, 40, "L2"},
            MoneyField{135, 27, 40, "L3"},
            FigureFrame(28.2, 148, 8),
            Caption{7, 35.2, 7, kPlain, kDashes61.c_str()},
            Caption{7, 28.2, 7, kPlain, "2.4. Сумма убытка, принимаемого к вычету (из пп. 2.5 Листа И) (320)"},
            Caption{90, 28.2, 7, kPlain, "2.5. Сумма облагаемого дохода (330)"},
            MoneyField{7, 34.92, 41, "L4"},
            MoneyField{90, 34.92, 41, "L5"},
        },
    });
    return rows;
}

const TRows& RowsJ4() {
    static const TRows rows = Join({
        {CaptionLines{7, 0, 8, true, kFuturesHeading}},
        SourceRows(3, "ИНН источника выплаты дохода (340)", "/ КПП (350)", "Наименование источника выплаты|дохода (360)"),
        {
            CaptionLines{69, 17.5, 7, false,
                         "3.2. Сумма документально подтвержденных|расходов и убытков по совершенным операциям,|"
                         "уплаченных премий по сделкам с опционами (380)"},
            CaptionLines{7, 20.3, 7, false,
                         "3.1. Сумма дохода по совершенным операциям и|полученных премий по сделкам с опционами (370)"},
            MoneyField{7, 30, 40, "L1"},
            MoneyField{69, 30, 40, "L2"},
            FigureFrame(31.2, 148, 8),
            Caption{7, 38.2, 7, kPlain, kDashes61.c_str()},
            Caption{7, 31.2, 7, kPlain, "3.3. Сумма убытка, принимаемого к вычету (из пп. 3.4 Листа И) (390)"},
            Caption{89, 31.2, 7, kPlain, "3.4. Сумма облагаемого дохода (400)"},
            MoneyField{7, 37.92, 40, "L3"},
            MoneyField{89, 37.92, 41, "L4"},
        },
    });
    return rows;
}

} // namespace

rl::TBand& clTopJ(rl::TOstrekReport& AOwner, int Kind, bool PrintValues) {
    return Title(AOwner, "Лист З. Расчет налоговой базы по операциям с ценными бумагами и финансовыми инструментами срочных", 43,
                 "сделок, базисным активом по которым являются ценные бумаги", Kind, PrintValues);
}

rl::TBand& clDohodJ1(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsJ1(), 38.6, b); }
rl::TBand& clDohodJ2(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsJ2(), 39.92, b); }
rl::TBand& clDohodJ3(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsJ3(), 36.92, b); }
rl::TBand& clDohodJ5(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsJ5(), 36.92, b); }
rl::TBand& clDohodJ4(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsJ4(), 39.92, b); }

rl::TBand& clItogoJ(rl::TOstrekReport& AOwner, Currency Line410, Currency Line420, Currency Line430, const QString&, bool) {
    static const TRows rows =
        TotalsRows("(пп. 1.1.1+1.2.1+1.3.1+2.1+3.1) (410)", "(пп. 1.1.5+1.2.5+1.3.5+2.5+3.4) (420)", "(пп. 4.1. - 4.2.) (430)");
    return Totals(AOwner, rows, Line410, Line420, Line430);
}

bool BuildPrilJ(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumPrilJ& j = ctx.SvodSum.PrilJ;
    const kTSvodSumPrilK& k = ctx.SvodSum.PrilK;
    const std::vector<TKindOnPage> kinds = {
        {clDohodJ1, 0, false, {k.Carry1, j.Taxable[0], j.Loss1}},
        {clDohodJ2, 1, false, {j.Loss1, j.Taxable[1]}},
        {clDohodJ3, 2, false, {k.Carry3, j.Taxable[2]}},
        {clDohodJ5, 4, false, {k.Carry5, j.Taxable[4]}},
        {clDohodJ4, 3, true, {k.Carry4, j.Taxable[3]}},
    };
    return BuildSheet(report, ctx, skPrilJ, j, clTopJ, kinds, clItogoJ, ctx.DanLog.DeclDan->AppZ);
}
