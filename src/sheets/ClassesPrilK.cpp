#include "sheets/ClassesPrilK.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"

namespace {

using namespace layout;
using namespace securities;

constexpr auto kDot = rl::TPen::Dot;

const TRows& RowsK1() {
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
            FigureFrame(28.2, 126, 10),
            CaptionLines{69, 28.2, 7, false,
                         "1.1.5. Сумма убытка,  учитываемая при расчете|пп. 1.2.4 Листа И и пп. 1.1.4 Листа З (080)"},
            Caption{7, 28.2, 7, kPlain, "1.1.4. Сумма облагаемого дохода (070)"},
            MoneyField{7, 36.6, 41, "L4"},
            MoneyField{69, 36.6, 41, "L5"},
        },
    });
    return rows;
}

const TRows& RowsK2() {
    static const TRows rows = Join({
        {CaptionLines{7, 0, 8, true,
                      "1.2. Ценные бумаги, не обращающиеся на организованном рынке ценных бумаг, но на момент приобретения|"
                      "отвечавшие требованиям, предъявляемым к обращающимся ценным бумагам"}},
        SourceRows(3, "ИНН источника выплаты дохода (090)", "/ КПП (100)", "Наименование источника выплаты|дохода (110)"),
        {
            CaptionLines{69, 17.5, 7, false,
                         "1.2.2. Сумма документально подтвержденных|расходов по приобретению, хранению и|"
                         "реализации ценных бумаг, других расходов (130)"},
            CaptionLines{7, 20.3, 7, false, "1.2.1. Сумма, полученная от |реализации ценных бумаг (120)"},
            CaptionLines{130, 20.3, 7, false, "1.2.3. Сумма убытка от реализации ценных|бумаг, учитываемого при расчете (140)"},
            MoneyField{7, 30, 40, "L1"},
            MoneyField{69, 30, 40, "L2"},
            MoneyField{130, 30, 40, "L3"},
            FigureFrame(31.2, 148, 8),
            Caption{7, 31.2, 7, kPlain, "1.2.4. Сумма убытка, принимаемого к вычету (из пп. 1.1.5) (150)"},
            Caption{86, 31.2, 7, kPlain, "1.2.5. Сумма облагаемого дохода (160)"},
            MoneyField{7, 37.92, 41, "L4"},
            MoneyField{86, 37.92, 41, "L5"},
        },
    });
    return rows;
}

const TRows& RowsK3() {
    static const TRows rows = Join({
        {Caption{7, 0, 8, kBold, "1.3. Ценные бумаги, не обращающиеся на организованном рынке ценных бумаг"}},
        SourceRows(0, "ИНН источника выплаты дохода (170)", "/ КПП (180)", "Наименование источника выплаты|дохода (190)"),
        {
            CaptionLines{69, 14.5, 7, false,
                         "1.3.2. Сумма документально подтвержденных|расходов по приобретению, хранению и|"
                         "реализации ценных бумаг, других расходов (210)"},
            CaptionLines{7, 17.3, 7, false, "1.3.1. Сумма, полученная от|реализации ценных бумаг (200)"},
            CaptionLines{130, 17.3, 7, false, "1.3.3. Сумма убытка от реализации ценных |бумаг, учитываемого при расчете (220)"},
            MoneyField{7, 27, 40, "L1"},
            MoneyField{69, 27, 40, "L2"},
            MoneyField{130, 27, 40, "L3"},
            FigureFrame(28.2, 148, 8),
            Caption{7, 35.2, 7, kPlain, kDashes61.c_str()},
            Caption{69, 28.2, 7, kPlain, "1.3.5. Сумма убытка, учитываемая при расчете пп. 1.3.4 Листа З (240)"},
            Caption{7, 28.2, 7, kPlain, "1.3.4. Сумма облагаемого дохода (230)"},
            MoneyField{7, 34.92, 41, "L4"},
            MoneyField{69, 34.92, 41, "L5"},
        },
    });
    return rows;
}

const TRows& RowsK5() {
    static const TRows rows = Join({
        {Caption{7, 0, 8, kBold,
                 "2. Расчет налоговой базы при продаже инвестиционных паев паевых инвестиционных фондов (включая их погашение)"}},
        SourceRows(0, "ИНН источника выплаты дохода (250)", "/ КПП (260)", "Наименование источника выплаты|дохода (270)"),
        {
            CaptionLines{135, 14.5, 7, false,
                         "2.3. Сумма убытка от реализации (погашения)|инвестиционных паев, учитываемого при|расчете (300)"},
            CaptionLines{69, 14.5, 7, false,
                         "2.2. Сумма документально подтвержденных расходов по|приобретению, хранению и реализации (погашению)|"
                         "инвестиционных паев, других расходов (290)"},
            CaptionLines{7, 17.3, 7, false, "2.1. Сумма, полученная от реализации|(погашения) инвестиционных паев (280)"},
            MoneyField{7, 27, 40, "L1"},
            MoneyField{69, 27, 40, "L2"},
            MoneyField{135, 27, 40, "L3"},
            FigureFrame(28.2, 143, 8),
            Caption{7, 35.2, 7, kPlain, kDashes61.c_str()},
            Caption{69, 28.2, 7, kPlain, "2.5. Сумма убытка, учитываемая при расчете пп. 2.4 Листа З (320)"},
            Caption{7, 28.2, 7, kPlain, "2.4. Сумма облагаемого дохода (310)"},
            MoneyField{7, 34.92, 41, "L4"},
            MoneyField{69, 34.92, 41, "L5"},
        },
    });
    return rows;
}

const TRows& RowsK4() {
    static const TRows rows = Join({
        {CaptionLines{7, 0, 8, true, kFuturesHeading}},
        SourceRows(2, "ИНН источника выплаты дохода (330)", "/ КПП (340)", "Наименование источника выплаты|дохода (350)"),
        {
            CaptionLines{69, 16.5, 7, false,
                         "3.2. Сумма документально подтвержденныхрасходов |и убытков по совершенным операциям, уплаченных|"
                         "премий по сделкам с опционами (370)"},
            CaptionLines{7, 16.5, 7, false,
                         "3.1. Сумма дохода по совершенным операциям и|полученных премий по сделкам с опционами|(360)"},
            MoneyField{7, 29, 40, "L1"},
            MoneyField{69, 29, 40, "L2"},
            FigureFrame(30.2, 143, 8),
            Caption{7, 37.2, 7, kPlain, kDashes61.c_str()},
            Caption{7, 30.2, 7, kPlain, "3.3. Сумма облагаемого дохода (380)"},
            Caption{69, 30.2, 7, kPlain, "3.4.Сумма убытка, учитываемая при расчете пп. 3.3 Листа З (390) "},
            MoneyField{7, 36.92, 40, "L3"},
            MoneyField{69, 36.92, 41, "L4"},
        },
    });
    return rows;
}

} // namespace

rl::TBand& clTopK(rl::TOstrekReport& AOwner, int Kind, bool PrintValues) {
    return Title(AOwner, "Лист И. Расчет налоговой базы по операциям с ценными бумагами и финансовыми инструментами срочных", 6,
                 "сделок, базисным активом по которым являются ценные бумаги, осуществляемым доверительным управляющим", Kind,
                 PrintValues);
}

rl::TBand& clDohodK1(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsK1(), 38.6, b); }
rl::TBand& clDohodK2(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsK2(), 39.92, b); }
rl::TBand& clDohodK3(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsK3(), 36.92, b); }
rl::TBand& clDohodK5(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsK5(), 36.92, b); }
rl::TBand& clDohodK4(rl::TOstrekReport& o, const TSecuritiesBlock& b, bool) { return Block(o, RowsK4(), 38.92, b); }

rl::TBand& clItogoK(rl::TOstrekReport& AOwner, Currency Line400, Currency Line410, Currency Line420, const QString&, bool) {
    static const TRows rows =
        TotalsRows("(пп. 1.1.1+1.2.1+1.3.1+2.1+3.1) (400)", "(пп. 1.1.5+1.2.5+1.3.5+2.5+3.4) (410)", "(пп. 4.1. - 4.2.) (420)");
    return Totals(AOwner, rows, Line400, Line410, Line420);
}

bool BuildPrilK(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumPrilK& k = ctx.SvodSum.PrilK;
    const std::vector<TKindOnPage> kinds = {
        {clDohodK1, 0, false, {k.Taxable[0], k.Loss1}},
        {clDohodK2, 1, false, {k.Accepted2, k.Taxable[1]}},
        {clDohodK3, 2, false, {k.Taxable[2], k.Carry3}},
        {clDohodK5, 4, false, {k.Taxable[4], k.Carry5}},
        {clDohodK4, 3, true, {k.Taxable[3], k.Carry4}},
    };
    return BuildSheet(report, ctx, skPrilK, k, clTopK, kinds, clItogoK, ctx.DanLog.DeclDan->AppM);
}
