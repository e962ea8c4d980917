#include "model/DeclClasses.h"

#include "storage/StreamDef.h"

namespace {

constexpr std::uint16_t kSaveToFile = 389, kLoadMapping = 390, kLoadHeader = 391;
constexpr std::uint16_t kHeaderNotNumber = 392;
constexpr std::uint16_t kTooManyEntries = 155;
// The block a document is first written into; most documents fit, a large one makes it grow.
constexpr std::uint32_t kFirstBlock = 64 * 1024;

// The lists are counted in words: a longer list cannot be stored.
void WriteCount(mTDocumentStorage& S, int count) {
    if (count > 65535)
        throw mEWriteStorage("Список длиннее 65535 записей не может быть сохранен.", kTooManyEntries);
    S.WriteWord(static_cast<std::uint16_t>(count));
}

} // namespace

mTDeclaration::mTDeclaration() : FilingDate(Today()) {}

void mTDeclaration::SetIncomeKinds(std::uint8_t NewSet) {
    auto apply = [&](std::uint8_t kind, auto&&... lists) {
        const bool had = IncomeKinds & kind, wants = NewSet & kind;
        if (had && !wants) {
            IncomeKinds &= static_cast<std::uint8_t>(~kind);
            (lists.reset(), ...);
        } else if (!had && wants) {
            IncomeKinds |= kind;
            ((lists = std::make_unique<typename std::remove_reference_t<decltype(lists)>::element_type>()), ...);
        }
    };
    apply(ikRussian, ThirteenList, ThirtyFiveList, ThirtyList);
    apply(ikForeign, CurrencyList);
    apply(ikBusiness, BusinessList);
}

void mTDeclaration::SetSheetCount(std::int32_t& Field, std::int32_t Value) {
    if (AutoCalculateApp) Appendixes = Appendixes - Field + Value;
    Field = Value;
}

void mTDeclaration::SetAppendixCount(std::int32_t Value) {
    if (!AutoCalculateApp) Appendixes = Value;
}

bool mTDeclaration::FilerStatusFitsForm() const { return DeclarationKind != 2 || (FilerStatus >= 1 && FilerStatus <= 3); }

std::uint32_t mTDeclaration::WriteDocument(mTDocumentStorage& S) const {
    S.CreateDocument(streams::RootVelmarod);

    S.CreateStream(streams::DeclInfo);
    S.WriteString(InspectionNumber);
    S.WriteString(InspectionName);
    S.WriteByte(Primary);
    S.WriteInteger(CorrectionNumber);
    S.WriteDateTime(FilingDate);
    S.WriteWord(FilingMethod);
    S.WriteWord(FilerStatus);
    S.WriteWord(DeclarationKind);
    S.WriteWord(IncomeKinds);
    S.WriteByte(AutoCalculateApp);
    for (std::int32_t n : {Appendixes, AppB, AppV, AppG, AppD, AppE, AppZ, AppK, AppL, AppM}) S.WriteInteger(n);
    S.WriteString(OGRNIP);
    S.WriteCurrency(SupposeIncome);

    Person.Save(S);

    if (IncomeKinds & ikRussian) {
        S.CreateStream(streams::DeclInquiry);
        WriteCount(S, ThirteenPercentCount());
        for (int i = 0; i < ThirteenPercentCount(); ++i) GetThirteenPercent(i).Save(S, static_cast<std::uint16_t>(i));
        WriteCount(S, ThirtyFivePercentCount());
        for (int i = 0; i < ThirtyFivePercentCount(); ++i) GetThirtyFivePercent(i).Save(S, static_cast<std::uint16_t>(i));
        WriteCount(S, ThirtyPercentCount());
        for (int i = 0; i < ThirtyPercentCount(); ++i) GetThirtyPercent(i).Save(S, static_cast<std::uint16_t>(i));
    }
    if (IncomeKinds & ikForeign) {
        S.CreateStream(streams::DeclForeign);
        WriteCount(S, CurrencyIncomeCount());
        for (int i = 0; i < CurrencyIncomeCount(); ++i) GetCurrencyIncome(i).Save(S, static_cast<std::uint16_t>(i));
    }
    if (IncomeKinds & ikBusiness) {
        S.CreateStream(streams::DeclBusiness);
        WriteCount(S, BusinessIncomeCount());
        for (int i = 0; i < BusinessIncomeCount(); ++i) GetBusinessIncome(i).Save(S, static_cast<std::uint16_t>(i));
        S.WriteCurrency(ActualPrepayment);
        S.WriteCurrency(SupposeIncome);
        S.WriteCurrency(SupVich);
        S.WriteCurrency(NachPrepayment);
        S.WriteString(OGRNIP);
    }
    if (IncomeKinds != 0) {
        StandartDeduct.Save(S);
        SocialDeduct.Save(S);
        ConstructionDeduct.Save(S);
    }

    S.CreateStream(streams::Nalog);
    WriteCount(S, NalogCount());
    for (int i = 0; i < NalogCount(); ++i) GetNalog(i).Save(S, static_cast<std::uint16_t>(i));
    return S.EndData();
}

std::uint32_t mTDeclaration::GetDocumentSize() const {
    auto counter = mTDocumentStorage::SizeCounter();
    return WriteDocument(*counter);
}

void mTDeclaration::SaveDocument(mTFileLoader& Loader) const {
    mTDocumentStorage S(&Loader);
    WriteDocument(S);
}

// The document goes into the saving loader's file block by block; what is left of it and the
// closing zero byte stay in the block, which Commit writes.
void mTDeclaration::WriteThrough(mTFileLoader& Loader) const {
    mTDocumentStorage S(&Loader, mTDocumentStorage::WhenFull::WriteOut);
    Loader.Resize(WriteDocument(S));
}

// The document is written once, into a block that grows as it fills: its size need not be counted
// beforehand.
std::unique_ptr<mTFileLoader> mTDeclaration::SaveToMemory() const {
    auto block = mTFileLoader::CreateInMemory(kFirstBlock);
    mTDocumentStorage S(block.get(), mTDocumentStorage::WhenFull::Grow);
    WriteDocument(S);
    return block;
}

void mTDeclaration::SaveToFile(const std::string& FileName, std::uint32_t BlockSize) const {
    std::unique_ptr<mTFileLoader> loader;
    try {
        loader = std::make_unique<mTFileLoader>(FileName, false, BlockSize);
    } catch (mEBadStorage& e) {
        e.PlaceCode = kSaveToFile;
        throw;
    }
    // The file holds exactly the document and its closing zero byte.
    WriteThrough(*loader);
    // Only a completely written document replaces the file; on any failure before this the old
    // file stays as it was and the new one is removed with the loader.
    try {
        loader->Commit();
    } catch (mEBadStorage& e) {
        e.PlaceCode = kSaveToFile;
        throw;
    }
}

std::string mTDeclaration::LoadFromFile(const std::string& FileName) {
    std::unique_ptr<mTFileLoader> loader;
    try {
        loader = std::make_unique<mTFileLoader>(FileName, true, 0);
    } catch (mEBadStorage& e) {
        e.PlaceCode = kLoadMapping;
        throw;
    }
    mTDocumentStorage S(loader.get());
    try {
        S.OpenDocument();
    } catch (mEBadStorage& e) {
        e.PlaceCode = kLoadHeader;
        throw;
    } catch (const EConvertError&) {
        throw mEBadStorage(stgmsg::BadFormat, kHeaderNotNumber);
    }
    ReadDocument(S);
    return S.RootName;
}

void mTDeclaration::ReadDocument(mTDocumentStorage& S) {
    if (S.RootName != streams::RootVelmarod) {
        // An earlier year's document: only the filer's personal data is taken over.
        Person.Load(S);
        return;
    }

    S.OpenStream(streams::DeclInfo);
    InspectionNumber = S.ReadString();
    InspectionName = S.ReadString();
    Primary = S.ReadByte();
    CorrectionNumber = S.ReadInteger();
    FilingDate = S.ReadDateTime();
    FilingMethod = static_cast<std::uint8_t>(S.ReadWord());
    FilerStatus = static_cast<std::uint8_t>(S.ReadWord());
    DeclarationKind = static_cast<std::uint8_t>(S.ReadWord());
    SetIncomeKinds(static_cast<std::uint8_t>(S.ReadWord()));
    AutoCalculateApp = S.ReadByte();
    for (std::int32_t* n : {&Appendixes, &AppB, &AppV, &AppG, &AppD, &AppE, &AppZ, &AppK, &AppL, &AppM}) *n = S.ReadInteger();
    OGRNIP = S.ReadString();
    SupposeIncome = S.ReadCurrency();

    Person.Load(S);

    // Each count is only a bound: an entry exists once its own stream has been read.
    if (IncomeKinds & ikRussian) {
        S.OpenStream(streams::DeclInquiry);
        for (int i = 0, n = S.ReadWord(); i < n; ++i) GetThirteenPercent(AddThirteenPercent()).Load(S, static_cast<std::uint16_t>(i));
        for (int i = 0, n = S.ReadWord(); i < n; ++i) GetThirtyFivePercent(AddThirtyFivePercent()).Load(S, static_cast<std::uint16_t>(i));
        for (int i = 0, n = S.ReadWord(); i < n; ++i) GetThirtyPercent(AddThirtyPercent()).Load(S, static_cast<std::uint16_t>(i));
    }
    if (IncomeKinds & ikForeign) {
        S.OpenStream(streams::DeclForeign);
        for (int i = 0, n = S.ReadWord(); i < n; ++i) GetCurrencyIncome(AddCurrencyIncome()).Load(S, static_cast<std::uint16_t>(i));
    }
    if (IncomeKinds & ikBusiness) {
        S.OpenStream(streams::DeclBusiness);
        for (int i = 0, n = S.ReadWord(); i < n; ++i) GetBusinessIncome(AddBusinessIncome()).Load(S, static_cast<std::uint16_t>(i));
        ActualPrepayment = S.ReadCurrency();
        SupposeIncome = S.ReadCurrency();
        SupVich = S.ReadCurrency();
        NachPrepayment = S.ReadCurrency();
        OGRNIP = S.ReadString();
    }
    if (IncomeKinds != 0) {
        StandartDeduct.Load(S);
        SocialDeduct.Load(S);
        ConstructionDeduct.Load(S);
    }

    S.OpenStream(streams::Nalog);
    for (int i = 0, n = S.ReadWord(); i < n; ++i) GetNalog(AddNalog()).Load(S, static_cast<std::uint16_t>(i));
}
