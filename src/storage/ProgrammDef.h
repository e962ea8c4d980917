// Constant reference tables: identity-document types, regions, month names and the versions of the
// document format.
#pragma once

#include <array>
#include <cstdint>

struct TCodeName {
    const char* Code;
    const char* Name;
};

extern const std::array<TCodeName, 18> IdentityDocTypes;
extern const std::array<TCodeName, 90> RegionTable;
extern const std::array<const char*, 12> MonthNames;

// Versions compared as Major x 65536 + Minor.
struct TDocVersion {
    std::uint16_t Major;
    std::uint16_t Minor;
    constexpr std::uint32_t Value() const { return static_cast<std::uint32_t>(Major) * 65536u + Minor; }
};
inline constexpr TDocVersion Version11{1, 1}; // a 13 % source begins with its flag value
inline constexpr TDocVersion Version12{1, 2}; // dates stored as numbers; every document is written so
