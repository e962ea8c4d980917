// The tax-office text file: lines of a key, a colon and a value, in blocks, written in CP866.
#pragma once

#include "reportcore/ClassesLogDan.h"

#include <ctime>
#include <initializer_list>
#include <string>
#include <vector>

struct kTSvodSum;
struct TPagePlan;

// The local time at which a file is made; read once per file.
struct TTaxClock {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
    static TTaxClock Now();
};

// The file's name: "O" + INN + "_05_000001.txt" from July 2007 on, else the older short form. Only
// an all-digit INN is used (else zeros), so the name can never leave its folder.
std::string TaxTextFileName(const kTDanLog& log, const TTaxClock& clock);

// An address line's value: "643" and the parts, each trimmed with its commas turned to blanks so
// that no typed comma adds or shifts a field, the whole in upper case.
std::string AddressFields(std::initializer_list<std::string> parts);

// Every line of the file in UTF-8, in file order (the count line filled in).
std::vector<std::string> BuildTaxText(const kTDanLog& log, const kTSvodSum& sums, const TPagePlan& plan,
                                      const TTaxClock& clock);

// The indicator blocks of the sections and sheets the plan holds, in the order of the printed
// declaration (the single estimated-income block for form 4-NDFL), appended to `lines`.
void WriteIndicatorBlocks(const kTDanLog& log, const kTSvodSum& sums, const TPagePlan& plan,
                          std::vector<std::string>& lines);

// The file's bytes: every line in CP866, each ended by CR LF.
std::string TaxTextBytes(const std::vector<std::string>& lines);

// Writes the file into the folder: completely (under a temporary name, then renamed) or not at all.
// Result: the full path, or an empty text when the file could not be written.
std::string TaxTextExport(const kTDanLog& log, const kTSvodSum& sums, const TPagePlan& plan, const std::string& folder,
                          const TTaxClock& clock);

// A line's bytes in CP866: control characters become blanks, and a character the code page has no
// place for becomes "?".
std::string ToOem(const std::string& utf8);
