#include "reportcore/ClassesReportText.h"

#include "platform/Codec.h"
#include "platform/RemoveOnSignal.h"
#include "reportcore/ClassesLogDanSums.h"
#include "storage/ProgrammDef.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.substr(b, e - b);
}

bool AllDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string Two(int v) { return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)}; }

// The person's INN for the file's identifiers: trimmed, or twelve zeros.
std::string Inn12(const kTDanLog& log) {
    const std::string inn = Trim(log.PersonDan->INN);
    return inn.empty() ? "000000000000" : inn;
}

std::string NameText(const kTPersonDan& p) {
    return codec::UpperCase(CommasToBlanks(p.SurName) + "," + CommasToBlanks(p.FirstName) + "," + CommasToBlanks(p.Patronymic));
}

std::string AddressText(const kTPersonDan& p) {
    return AddressFields({p.PostIndex, std::to_string(p.RegionCode), p.District, p.City, p.Area, p.Street, p.House,
                          p.Building, p.Flat});
}

std::string DocTypeCode(const kTPersonDan& p) {
    for (const TCodeName& row : IdentityDocTypes)
        if (p.DocTypeName == row.Name) return row.Code;
    // A type name the table does not hold: the stored code, when there is one.
    return p.DocTypeCode ? Two(p.DocTypeCode) : std::string();
}

const char* FilerCode(const kTDeclDan& g) {
    if (g.DeclarationKind == 2) {
        switch (g.FilerStatus) {
        case 1: return "120";
        case 2: return "122";
        case 3: return "121";
        default: return "";
        }
    }
    static const char* codes[] = {"710", "720", "730", "740", "750", "760"};
    return g.FilerStatus <= 5 ? codes[g.FilerStatus] : "";
}

} // namespace

TTaxClock TTaxClock::Now() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string AddressFields(std::initializer_list<std::string> parts) {
    std::string s = "643";
    for (const std::string& part : parts) s += "," + Trim(CommasToBlanks(part));
    return codec::UpperCase(s);
}

std::string TaxTextFileName(const kTDanLog& log, const TTaxClock& clock) {
    const std::string inn = Trim(log.PersonDan->INN);
    const bool digits = AllDigits(inn);
    if (clock.Year > 2007 || (clock.Year == 2007 && clock.Month >= 7))
        return "O" + (digits ? inn : std::string("000000000000")) + "_05_000001.txt";
    std::string middle = digits && inn.size() > 4 ? inn.substr(4, 5) : std::string();
    if (middle.empty()) middle = "00000";
    return "O" + middle + "05.001";
}

std::vector<std::string> BuildTaxText(const kTDanLog& log, const kTSvodSum& sums, const TPagePlan& plan,
                                      const TTaxClock& clock) {
    std::vector<std::string> L;
    const kTPersonDan& p = *log.PersonDan;
    const kTDeclDan& g = *log.DeclDan;
    const bool form4 = g.DeclarationKind == 2;
    const std::string inn12 = Inn12(log);
    const std::string name = NameText(p);

    // File header.
    L.push_back("ИдФайл:" + inn12 + "*********2005" + Two(clock.Month) + Two(clock.Day) + Two(clock.Hour) + Two(clock.Minute) +
                Two(clock.Second));
    L.push_back("ТипИнф:ОТЧЕТНОСТЬНП");
    L.push_back("ВерсФорм:3.00");
    L.push_back("ИдПол:" + g.InspectionNumber);
    L.push_back("ВерсПрог:Velmarod_1.1.0");
    L.push_back("КолДок:1");
    L.push_back("ФИООтпрФЛ:" + name);
    const std::string work = p.WorkCode + p.WorkPhone;
    L.push_back("ТелОтпр:" + (work.empty() ? p.HomeCode + p.HomePhone : work));
    L.push_back("@@@");

    // Document header.
    L.push_back("ИдДок:" + inn12 + "*********200500000001");
    L.push_back("ДатаДок:" + Two(clock.Day) + "." + Two(clock.Month) + "." + std::to_string(clock.Year));
    L.push_back("###");

    // Person block.
    L.push_back("ФИО:" + name);
    L.push_back("ИННФЛ:" + p.INN);
    if (form4) {
        L.push_back("НомСтрСвПФР:" + g.OGRNIP);
        L.push_back("МестоРожд:" + p.Mesto);
    } else {
        L.push_back("ОГРНИП:" + log.Dohody->PredprinimDeyatList.OGRNIP);
    }
    L.push_back("ДатаРожд:" + DateToStr(p.BirthDate));
    L.push_back(std::string("Пол:") + (p.Pol == "0" ? "1" : "2"));
    const TCitizenship citizenship = CitizenshipOf(p);
    L.push_back("Гражд:" + citizenship.Name);
    std::string country = Trim(citizenship.CountryCode);
    while (country.size() < 3) country.insert(country.begin(), '0');
    L.push_back("КодГражд:" + country);
    if (!form4) L.push_back("МестоРожд:" + p.Mesto);
    L.push_back("УдЛичн:" + DocTypeCode(p) + "," + CommasToBlanks(p.Serial));
    L.push_back("ВыдУдЛичн:" + p.Kem);
    L.push_back("ДатаУдЛичн:" + DateToStr(p.RegDate));
    if (!form4) L.push_back(std::string("Статус:") + (g.DeclarationKind == 1 ? "2" : "1"));
    L.push_back((p.AddressOfStay ? "АдрМПр:" : "АдрМЖ:") + AddressText(p));
    L.push_back("АдрМЖРез:" + codec::UpperCase(p.Inostr.AddressAbroad));
    if (!form4) {
        L.push_back("ТелСлуж:" + p.Inostr.WorkCode + p.Inostr.WorkPhone);
        L.push_back("ТелДом:" + p.Inostr.HomeCode + p.Inostr.HomePhone);
    }
    L.push_back("###");

    // Form block.
    L.push_back("ПризФОтч:1");
    L.push_back(form4 ? "КНД:1151021" : "КНД:1151020");
    L.push_back(std::string("НаимФОтч:НАЛОГОВАЯ ДЕКЛАРАЦИЯ ПО НАЛОГУ НА ДОХОДЫ ФИЗИЧЕСКИХ ЛИЦ ") + (form4 ? "(4-НДФЛ)" : "(3-НДФЛ)"));
    L.push_back(form4 ? "ВерФОтч:3.00000" : "ВерФОтч:3.00003");
    L.push_back("ПериодВерОтч:15.06.2004,");
    if (g.CorrectionNumber == 0) {
        L.push_back("ПризВидДок:1");
    } else {
        L.push_back("ПризВидДок:3");
        L.push_back("НомерКорр:" + std::to_string(g.CorrectionNumber));
    }
    L.push_back("ГодПериодОтч:2005");
    L.push_back(std::string("ДокПредст:") + FilerCode(g));
    L.push_back("ОКЕИ:383");
    L.push_back("КолПокФОтч:444");
    L.push_back("###");

    WriteIndicatorBlocks(log, sums, plan, L);

    L.push_back("@@@");
    L.push_back("===");

    // The count of indicator lines replaces the placeholder.
    for (std::size_t i = L.size(); i-- > 0;) {
        if (L[i].rfind("КолПокФОтч:", 0) != 0) continue;
        long count = 0;
        for (std::size_t j = i; j < L.size(); ++j)
            if (L[j] != "###") ++count;
        L[i] = "КолПокФОтч:" + std::to_string(count - 3);
        break;
    }
    return L;
}

std::string ToOem(const std::string& utf8) {
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp;
        try {
            cp = codec::NextCodePoint(utf8, pos);
        } catch (const codec::ETextEncoding&) {
            ++pos;
            cp = U'?';
        }
        // No value may break a line: control characters become blanks.
        if (cp < 0x20 || cp == 0x7F) cp = U' ';
        std::string one;
        codec::AppendUtf8(one, cp);
        try {
            out += codec::Utf8ToCp866(one);
            continue;
        } catch (const codec::ETextEncoding&) {
        }
        // The fixed replacements of characters CP866 has no place for.
        switch (cp) {
        case U'«': case U'»': case U'„': case U'“': case U'”': out += '"'; break;
        case U'‘': case U'’': case U'‚': out += '\''; break;
        case U'–': case U'—': out += '-'; break;
        case U'…': out += "..."; break;
        default: out += '?'; break;
        }
    }
    return out;
}

std::string TaxTextBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& l : lines) bytes += ToOem(l) + "\r\n";
    return bytes;
}

std::string TaxTextExport(const kTDanLog& log, const kTSvodSum& sums, const TPagePlan& plan, const std::string& folder,
                          const TTaxClock& clock) {
    const std::vector<std::string> lines = BuildTaxText(log, sums, plan, clock);
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    const std::string path = dir + TaxTextFileName(log, clock);
    const std::string bytes = TaxTextBytes(lines);

    // Written completely under a temporary name, then renamed over the file. The half-written file
    // would otherwise stay in the user's folder with the taxpayer's data when a signal ends the
    // program: the guard holds its name from before the file exists.
    std::string temp = dir + ".Otmp.XXXXXX";
    TRemoveOnSignal guard;
    const int fd = guard.CreateTempFile(temp);
    if (fd < 0) return {};
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w <= 0) ok = false;
        else done += static_cast<std::size_t>(w);
    }
    ok = ok && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return {};
    }
    return path;
}
