// The declaration: general data, income kinds, supporting-document counts, the expected figures,
// and every record of the model. Saving, loading and the document's size are its own operations.
#pragma once

#include "model/DeductionClasses.h"
#include "model/PersonClasses.h"
#include "model/StavClasses.h"
#include "platform/Currency.h"
#include "platform/NumText.h"
#include "storage/StgClasses.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Income kinds, bits of mTDeclaration::IncomeKinds.
enum : std::uint8_t {
    ikRussian = 1,  // incomes paid by tax agents in Russia: 13 %, 35 % and dividend lists
    ikForeign = 2,  // incomes in foreign currency
    ikBusiness = 4, // business incomes
};

// A list that owns its entries; an entry's position is its index.
template <class T>
class TItemList {
public:
    int Add() {
        items_.push_back(std::make_unique<T>());
        return static_cast<int>(items_.size()) - 1;
    }
    T& Get(int Index) const {
        Check(Index);
        return *items_[Index];
    }
    // With nullptr the entry is freed and removed, later entries moving up; with an object the
    // entry is replaced by it (the list takes it).
    void Set(int Index, T* Value) {
        Check(Index);
        if (Value)
            items_[Index].reset(Value);
        else
            items_.erase(items_.begin() + Index);
    }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    void Check(int Index) const {
        if (Index < 0 || Index >= Count()) throw mEMemoryAllocate(stgmsg::NotAllocated, 401);
    }
    std::vector<std::unique_ptr<T>> items_;
};

class mTDeclaration {
public:
    mTDeclaration();
    mTDeclaration(const mTDeclaration&) = delete;
    mTDeclaration& operator=(const mTDeclaration&) = delete;

    // List operations; a kind's lists exist only while the kind is in IncomeKinds.
    int AddThirteenPercent() { return List(ThirteenList).Add(); }
    mTThirteenPercent& GetThirteenPercent(int Index) const { return List(ThirteenList).Get(Index); }
    void SetThirteenPercent(int Index, mTThirteenPercent* Value) { List(ThirteenList).Set(Index, Value); }
    int ThirteenPercentCount() const { return ThirteenList ? ThirteenList->Count() : 0; }

    int AddThirtyFivePercent() { return List(ThirtyFiveList).Add(); }
    mTThirtyFivePercent& GetThirtyFivePercent(int Index) const { return List(ThirtyFiveList).Get(Index); }
    void SetThirtyFivePercent(int Index, mTThirtyFivePercent* Value) { List(ThirtyFiveList).Set(Index, Value); }
    int ThirtyFivePercentCount() const { return ThirtyFiveList ? ThirtyFiveList->Count() : 0; }

    int AddThirtyPercent() { return List(ThirtyList).Add(); }
    mTThirtyPercent& GetThirtyPercent(int Index) const { return List(ThirtyList).Get(Index); }
    void SetThirtyPercent(int Index, mTThirtyPercent* Value) { List(ThirtyList).Set(Index, Value); }
    int ThirtyPercentCount() const { return ThirtyList ? ThirtyList->Count() : 0; }

    int AddCurrencyIncome() { return List(CurrencyList).Add(); }
    mTCurrencyIncome& GetCurrencyIncome(int Index) const { return List(CurrencyList).Get(Index); }
    void SetCurrencyIncome(int Index, mTCurrencyIncome* Value) { List(CurrencyList).Set(Index, Value); }
    int CurrencyIncomeCount() const { return CurrencyList ? CurrencyList->Count() : 0; }

    int AddBusinessIncome() { return List(BusinessList).Add(); }
    mTBusinessIncome& GetBusinessIncome(int Index) const { return List(BusinessList).Get(Index); }
    void SetBusinessIncome(int Index, mTBusinessIncome* Value) { List(BusinessList).Set(Index, Value); }
    int BusinessIncomeCount() const { return BusinessList ? BusinessList->Count() : 0; }

    int AddNalog() { return NalogList.Add(); }
    mTNalog& GetNalog(int Index) const { return NalogList.Get(Index); }
    void SetNalog(int Index, mTNalog* Value) { NalogList.Set(Index, Value); }
    int NalogCount() const { return NalogList.Count(); }

    // Applies a new set of income kinds: a cleared kind loses its lists and entries for good, a new
    // kind gets empty lists; bits above bit 2 are ignored.
    void SetIncomeKinds(std::uint8_t NewSet);

    void SetAppendixCountB(std::int32_t Value) { SetSheetCount(AppB, Value); }
    void SetAppendixCountV(std::int32_t Value) { SetSheetCount(AppV, Value); }
    void SetAppendixCountG(std::int32_t Value) { SetSheetCount(AppG, Value); }
    void SetAppendixCountD(std::int32_t Value) { SetSheetCount(AppD, Value); }
    void SetAppendixCountE(std::int32_t Value) { SetSheetCount(AppE, Value); }
    void SetAppendixCountZ(std::int32_t Value) { SetSheetCount(AppZ, Value); }
    void SetAppendixCountK(std::int32_t Value) { SetSheetCount(AppK, Value); }
    void SetAppendixCountL(std::int32_t Value) { SetSheetCount(AppL, Value); }
    void SetAppendixCountM(std::int32_t Value) { SetSheetCount(AppM, Value); }
    void SetAppendixCount(std::int32_t Value);

    // Form 4-NDFL is filed only by an individual entrepreneur (1), a private notary (2) or a lawyer
    // (3): its title page and the tax office's file have a status code for these alone. The other
    // forms take every status.
    bool FilerStatusFitsForm() const;

    // The size of the block that holds the serialised document: every byte written plus one zero.
    std::uint32_t GetDocumentSize() const;
    // Writes the document into the loader's block, which must hold it.
    void SaveDocument(mTFileLoader& Loader) const;
    // The serialised document in a memory block of its own, followed by at least one zero byte:
    // what the report library is handed.
    std::unique_ptr<mTFileLoader> SaveToMemory() const;
    // The block a saved file passes through: small enough to stay in the processor's cache, where
    // a block of the whole document would be new memory to fault in and clear on every save. Any
    // size from one byte up gives the same file.
    static constexpr std::uint32_t FileBlockSize = 128 * 1024;
    void SaveToFile(const std::string& FileName, std::uint32_t BlockSize = FileBlockSize) const;
    // Result: the root name of the file read ("Velmarod" for this program's documents; another
    // root is an earlier year's file, of which only the person record was taken).
    std::string LoadFromFile(const std::string& FileName);
    // Reads the document from a container whose header has been read: this program's documents
    // whole, any other layout (an earlier year's file) only the person record.
    void ReadDocument(mTDocumentStorage& Storage);

    std::string InspectionNumber;
    std::string InspectionName;
    std::uint8_t Primary = 1;
    std::int32_t CorrectionNumber = 0;
    TDateTime FilingDate;
    std::uint8_t FilingMethod = 0;
    std::uint8_t FilerStatus = 0;
    std::uint8_t DeclarationKind = 0; // 0 = 3-NDFL, 1 = 3-NDFL for a non-resident, 2 = 4-NDFL
    std::uint8_t IncomeKinds = 0;
    std::uint8_t AutoCalculateApp = 0;
    std::int32_t Appendixes = 0;
    std::int32_t AppB = 0, AppV = 0, AppG = 0, AppD = 0, AppE = 0, AppZ = 0, AppK = 0, AppL = 0, AppM = 0;
    Currency ActualPrepayment;
    Currency NachPrepayment;
    Currency SupposeIncome;
    Currency SupVich;
    std::string OGRNIP;

    std::unique_ptr<TItemList<mTThirteenPercent>> ThirteenList;
    std::unique_ptr<TItemList<mTThirtyFivePercent>> ThirtyFiveList;
    std::unique_ptr<TItemList<mTThirtyPercent>> ThirtyList;
    std::unique_ptr<TItemList<mTCurrencyIncome>> CurrencyList;
    std::unique_ptr<TItemList<mTBusinessIncome>> BusinessList;
    TItemList<mTNalog> NalogList;

    mTPersonInformation Person;
    mTStandartDeduct StandartDeduct;
    mTSocialDeduct SocialDeduct;
    mTConstructionDeduct ConstructionDeduct;

private:
    template <class T>
    static TItemList<T>& List(const std::unique_ptr<TItemList<T>>& list) {
        if (!list) throw mEMemoryAllocate(stgmsg::NotAllocated, 400);
        return *list;
    }
    void SetSheetCount(std::int32_t& Field, std::int32_t Value);
    // Writes the document and the zero byte after it; result: the bytes of the block in use.
    std::uint32_t WriteDocument(mTDocumentStorage& Storage) const;
    void WriteThrough(mTFileLoader& Loader) const;
};
