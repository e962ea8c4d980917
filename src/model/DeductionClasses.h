// The three deduction records of a declaration: standard, social and property deductions.
#pragma once

#include "platform/Currency.h"
#include "platform/NumText.h"
#include "storage/StgClasses.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class mTStandartDeduct {
public:
    mTStandartDeduct();

    void SetConstChildrens(std::int32_t Count);
    void SetConstChildrens2(std::int32_t Count);
    void SetMonthChildrens(int Month, std::int32_t Count);  // month 0..11
    void SetMonthChildrens2(int Month, std::int32_t Count); // month 0..11
    std::int32_t GetMonthChildrens(int Month) const { return MonthChildrens.at(Month); }
    std::int32_t GetMonthChildrens2(int Month) const { return MonthChildrens2.at(Month); }
    Currency GetZayavaSum(int Month) const { return ZayavaSum.at(Month - 1); } // month 1..12
    void SetZayavaSum(int Month, Currency Sum) { ZayavaSum.at(Month - 1) = Sum; }
    std::int32_t GetMonthCombination(int Month) const { return MonthCombination.at(Month - 1); } // month 1..12
    void SetMonthCombination(int Month, std::int32_t Code) { MonthCombination.at(Month - 1) = Code; }

    void Save(mTDocumentStorage& Storage) const;
    void Load(mTDocumentStorage& Storage);
    std::uint32_t GetSize() const;

    std::uint8_t Granting = 1;
    std::int32_t StandartCode = 103;
    std::int32_t ChildrenKind = 101;
    std::uint8_t ConstChildrens = 1;
    std::int32_t ChildrensCount = 0;
    std::array<std::int32_t, 12> MonthChildrens{};
    std::uint8_t ConstChildrens2 = 1;
    std::int32_t ChildrensCount2 = 0;
    std::array<std::int32_t, 12> MonthChildrens2{};
    std::uint8_t Zayava = 0;
    std::array<Currency, 12> ZayavaSum{};
    std::uint8_t Combination = 0;
    std::array<std::int32_t, 12> MonthCombination{}; // 0 = 103, 1 = 104, 2 = 105
};

// One amount paid for the education of a child, in a doubly linked list.
struct mTChildEduNode {
    Currency Sum;
    mTChildEduNode* Prev = nullptr;
    std::unique_ptr<mTChildEduNode> Next;
};

class mTSocialDeduct {
public:
    mTSocialDeduct() = default;
    ~mTSocialDeduct();
    mTSocialDeduct(const mTSocialDeduct&) = delete;
    mTSocialDeduct& operator=(const mTSocialDeduct&) = delete;

    int AddChildEduSum(Currency Sum);
    Currency GetChildEduSum(int Index) const;
    void SetChildEduSum(int Index, Currency Sum);
    void DeleteChildEduSum(int Index);

    void Save(mTDocumentStorage& Storage) const;
    void Load(mTDocumentStorage& Storage);
    std::uint32_t GetSize() const;

    std::uint8_t Granting = 0;
    Currency Charity;
    Currency SelfEducation;
    std::int32_t ChildEduCount = 0;
    std::unique_ptr<mTChildEduNode> ChildEduList;
    Currency Medical;
    Currency ExpensiveMedical;

private:
    mTChildEduNode* NodeAt(int Index, std::uint16_t emptyCode, std::uint16_t pastEndCode) const;
    void FreeList();
    mTChildEduNode* Tail_ = nullptr; // the last node, so appending does not walk the list
};

class mTConstructionDeduct {
public:
    mTConstructionDeduct();

    void Save(mTDocumentStorage& Storage) const;
    void Load(mTDocumentStorage& Storage);
    std::uint32_t GetSize() const;

    std::uint8_t Granting = 0;
    std::string ObjectName;
    std::string PostIndex;
    std::string RegionCode;
    std::string RegionName;
    std::string District;
    std::string City;
    std::string Settlement;
    std::string Street;
    std::string House;
    std::string Building;
    std::string Flat;
    TDateTime RegistrationDate;
    TDateTime PurchaseDate;
    TDateTime StartDate;
    Currency ChargeCarriedOver;
    Currency CreditCarriedOver;
    Currency ChargeEarlierYears;
    Currency CreditEarlierYears;
    Currency Share;
    Currency ChargeEarlierYearsAgent;
    Currency CreditEarlierYearsAgent;
    Currency ObjectCost;
    Currency CreditInterest;
    Currency ChargeAgentThisYear;
    Currency CreditAgentThisYear;
};
