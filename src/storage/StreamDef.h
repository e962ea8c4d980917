// Names of the document's streams and the root names that tell a document's layout.
#pragma once

#include "platform/NumText.h"

#include <string>

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

// A record's stream: the prefix and the index (at least three digits, leading zeros).
inline std::string Indexed(const char* prefix, long index) { return prefix + IndexToStr(index); }
inline std::string Indexed(const char* prefix, long index, long subIndex) {
    return prefix + IndexToStr(index) + IndexToStr(subIndex);
}

} // namespace streams
