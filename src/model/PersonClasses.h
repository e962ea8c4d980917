// The filer's personal data: name, identity document, foreigner's particulars, address, telephones.
#pragma once

#include "platform/NumText.h"
#include "storage/StgClasses.h"

#include <cstdint>
#include <string>

struct mTPersonName {
    std::string SurName;
    std::string FirstName;
    std::string Patronymic;
    std::string INN;
    std::string InsuranceNumber;
    std::string Sex = "0"; // "0" male, "1" female
};

struct mTPersonDoc {
    std::uint16_t DocTypeCode = 0;
    std::string DocTypeName;
    std::string SeriesNumber;
    TDateTime IssueDate = 0;
    TDateTime BirthDate = 0;
    std::string IssuedBy;
    std::string BirthPlace;
};

struct mTForeigner {
    std::string StayDays;
    std::string Citizenship;
    std::string AddressAbroad;
    std::string CountryCode;
};

struct mTPersonAddress {
    std::uint8_t AddressKind = 0; // 1 = place of stay, 0 = place of residence
    std::string PostIndex;
    std::uint16_t RegionCode = 0;
    std::string RegionName;
    std::string District;
    std::string City;
    std::string Settlement;
    std::string Street;
    std::string House;
    std::string Building;
    std::string Flat;
    std::string OKATO;
};

struct mTPersonPhone {
    std::string Code;
    std::string Number;
};

class mTPersonInformation {
public:
    mTPersonInformation();

    void Save(mTDocumentStorage& Storage) const;
    // Reads the layout that the container's root name tells: this program's, the previous yearly
    // version's ("Velmarin") or an older one.
    void Load(mTDocumentStorage& Storage);
    std::uint32_t GetSize() const;

    mTPersonName Name;
    mTPersonDoc Doc;
    mTForeigner Foreigner;
    mTPersonAddress Address;
    mTPersonPhone HomePhone;
    mTPersonPhone WorkPhone;
    mTPersonPhone ForeignHomePhone;
    mTPersonPhone ForeignWorkPhone;
    std::uint8_t IsForeigner = 0;
};
