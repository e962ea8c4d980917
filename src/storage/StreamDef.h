// Names of the document's streams and the root names that tell a document's layout.
#pragma once

#include "platform/NumText.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace streams {

inline constexpr const char* RootVelmarod = "Velmarod"; // documents of this program
inline constexpr const char* RootVelmarin = "Velmarin"; // documents of the previous yearly version

inline constexpr const char* DeclInfo = "@DeclInfo";
inline constexpr const char* DeclInquiry = "@DeclInquiry";
inline constexpr const char* DeclForeign = "@DeclForeign";
inline constexpr const char* DeclBusiness = "@DeclBusiness";
inline constexpr const char* Nalog = "@Nalog";

inline constexpr const char* PersonName = "@PersonName";
inline constexpr const char* PersonDocument = "@PersonDocument";
inline constexpr const char* Foreigner = "@Foreigner";
inline constexpr const char* PhoneForeignerHome = "@PhoneForeignerHome";
inline constexpr const char* PhoneForeignerWork = "@PhoneForeignerWork";
inline constexpr const char* PersonAddress = "@PersonAddress";
inline constexpr const char* HomePhone = "@HomePhone";
inline constexpr const char* WorkPhone = "@WorkPhone";

inline constexpr const char* StandartDeduct = "@StandartDeduct";
inline constexpr const char* SocialDeduct = "@SocialDeduct";
inline constexpr const char* ConstructionDeduct = "@ConstructionDeduct";

inline constexpr const char* ThirteenPercent = "@ThirteenPercent";
inline constexpr const char* SourseIncome = "@SourseIncome";
inline constexpr const char* ThirtyFivePercent = "@ThirtyFivePercent";
inline constexpr const char* ThirtyPercent = "@ThirtyPercent";
inline constexpr const char* NalogSub = "@NalogSub";
inline constexpr const char* CurrencyIncome = "@CurrencyIncome";
inline constexpr const char* BusinessIncome = "@BusinessIncome";
inline constexpr const char* BusinessExpense = "@BusinessExpense";

// The name of a record's stream: the prefix and the index (at least three digits, leading zeros).
// It is held in place, since one is made for every record written or read.
class TIndexedName {
public:
    TIndexedName(std::string_view prefix, long index) { SetEnd(Put(prefix, index)); }
    TIndexedName(std::string_view prefix, long index, long subIndex) { SetEnd(PutIndex(Put(prefix, index), subIndex)); }
    operator std::string_view() const { return std::string_view(text_.data(), size_); }

private:
    char* Put(std::string_view prefix, long index) {
        if (prefix.size() > text_.size() - 2 * kIndexChars) throw std::length_error("stream name prefix too long");
        return PutIndex(std::copy(prefix.begin(), prefix.end(), text_.data()), index);
    }
    void SetEnd(const char* end) { size_ = static_cast<std::size_t>(end - text_.data()); }
    std::array<char, 64> text_;
    std::size_t size_ = 0;
};

inline TIndexedName Indexed(const char* prefix, long index) { return TIndexedName(prefix, index); }
inline TIndexedName Indexed(const char* prefix, long index, long subIndex) {
    return TIndexedName(prefix, index, subIndex);
}

} // namespace streams
