#include "model/DeductionClasses.h"

#include "storage/StreamDef.h"

#include <new>

namespace {
constexpr std::uint16_t kStandartSave = 381, kStandartLoad = 382;
constexpr std::uint16_t kSocialSave = 383, kSocialLoad = 384;
constexpr std::uint16_t kConstructionSave = 385, kConstructionLoad = 386;
} // namespace

// ---------------------------------------------------------------------------------------------
// mTStandartDeduct

mTStandartDeduct::mTStandartDeduct() = default;

void mTStandartDeduct::SetConstChildrens(std::int32_t Count) {
    ConstChildrens = 1;
    ChildrensCount = Count;
}

void mTStandartDeduct::SetConstChildrens2(std::int32_t Count) {
    ConstChildrens2 = 1;
    ChildrensCount2 = Count;
}

void mTStandartDeduct::SetMonthChildrens(int Month, std::int32_t Count) {
    ConstChildrens = 0;
    MonthChildrens.at(Month) = Count;
}

void mTStandartDeduct::SetMonthChildrens2(int Month, std::int32_t Count) {
    ConstChildrens2 = 0;
    MonthChildrens2.at(Month) = Count;
}

void mTStandartDeduct::Save(mTDocumentStorage& S) const {
    WithPlaceCode(kStandartSave, [&] {
        S.CreateStream(streams::StandartDeduct);
        S.WriteByte(Granting);
        if (!Granting) return;
        S.WriteInteger(StandartCode);
        S.WriteInteger(ChildrenKind);
        S.WriteByte(ConstChildrens);
        if (ConstChildrens)
            S.WriteInteger(ChildrensCount);
        else
            for (std::int32_t n : MonthChildrens) S.WriteInteger(n);
        S.WriteByte(ConstChildrens2);
        if (ConstChildrens2)
            S.WriteInteger(ChildrensCount2);
        else
            for (std::int32_t n : MonthChildrens2) S.WriteInteger(n);
        S.WriteByte(Zayava);
        if (Zayava)
            for (const Currency& c : ZayavaSum) S.WriteCurrency(c);
        S.WriteByte(Combination);
        if (Combination)
            for (std::int32_t c : MonthCombination) S.WriteInteger(c);
    });
}

void mTStandartDeduct::Load(mTDocumentStorage& S) {
    WithPlaceCode(kStandartLoad, [&] {
        S.OpenStream(streams::StandartDeduct);
        Granting = S.ReadByte();
        if (!Granting) return;
        StandartCode = S.ReadInteger();
        ChildrenKind = S.ReadInteger();
        ConstChildrens = S.ReadByte();
        if (ConstChildrens)
            ChildrensCount = S.ReadInteger();
        else
            for (std::int32_t& n : MonthChildrens) n = S.ReadInteger();
        ConstChildrens2 = S.ReadByte();
        if (ConstChildrens2)
            ChildrensCount2 = S.ReadInteger();
        else
            for (std::int32_t& n : MonthChildrens2) n = S.ReadInteger();

        // Files of earlier versions end the stream here: what follows is the next stream, so a
        // flag that cannot be read is taken as off and the cursor goes back to where it stood.
        auto guardedFlag = [&S]() -> std::uint8_t {
            const std::uint32_t at = S.Cursor;
            try {
                return S.ReadByte();
            } catch (...) {
                S.Cursor = at;
                return 0;
            }
        };
        Zayava = guardedFlag();
        if (Zayava)
            for (Currency& c : ZayavaSum) c = S.ReadCurrency();
        Combination = guardedFlag();
        if (Combination)
            for (std::int32_t& c : MonthCombination) c = S.ReadInteger();
    });
}

std::uint32_t mTStandartDeduct::GetSize() const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S); });
}

// ---------------------------------------------------------------------------------------------
// mTSocialDeduct

mTSocialDeduct::~mTSocialDeduct() { FreeList(); }

void mTSocialDeduct::FreeList() {
    // Unlinked one by one, so a long list is not freed by deep recursion.
    while (ChildEduList) ChildEduList = std::move(ChildEduList->Next);
    Tail_ = nullptr;
}

mTChildEduNode* mTSocialDeduct::NodeAt(int Index, std::uint16_t emptyCode, std::uint16_t pastEndCode) const {
    if (!ChildEduList) throw mEMemoryAllocate(stgmsg::NotAllocated, emptyCode);
    mTChildEduNode* n = ChildEduList.get();
    for (int i = 0; n && i < Index; ++i) n = n->Next.get();
    if (!n || Index < 0) throw mEMemoryAllocate(stgmsg::NotAllocated, pastEndCode);
    return n;
}

int mTSocialDeduct::AddChildEduSum(Currency Sum) {
    std::unique_ptr<mTChildEduNode> node;
    try {
        node = std::make_unique<mTChildEduNode>();
    } catch (const std::bad_alloc&) {
        throw mEMemoryAllocate(stgmsg::NoMemory, 300);
    }
    node->Sum = Sum;
    mTChildEduNode* added = node.get();
    if (!ChildEduList) {
        ChildEduList = std::move(node);
    } else {
        node->Prev = Tail_;
        Tail_->Next = std::move(node);
    }
    Tail_ = added;
    return ChildEduCount++;
}

Currency mTSocialDeduct::GetChildEduSum(int Index) const { return NodeAt(Index, 310, 311)->Sum; }

void mTSocialDeduct::SetChildEduSum(int Index, Currency Sum) { NodeAt(Index, 320, 321)->Sum = Sum; }

void mTSocialDeduct::DeleteChildEduSum(int Index) {
    mTChildEduNode* n = NodeAt(Index, 330, 331);
    mTChildEduNode* prev = n->Prev;
    std::unique_ptr<mTChildEduNode> next = std::move(n->Next);
    if (next)
        next->Prev = prev;
    else
        Tail_ = prev;
    if (prev)
        prev->Next = std::move(next); // frees n
    else
        ChildEduList = std::move(next); // frees n
    --ChildEduCount;
}

void mTSocialDeduct::Save(mTDocumentStorage& S) const {
    WithPlaceCode(kSocialSave, [&] {
        S.CreateStream(streams::SocialDeduct);
        S.WriteByte(Granting);
        if (!Granting) return;
        S.WriteCurrency(Charity);
        S.WriteCurrency(SelfEducation);
        if (ChildEduCount > 0 && !ChildEduList) throw mEMemoryAllocate(stgmsg::NotAllocated, 340);
        S.WriteInteger(ChildEduCount);
        std::int32_t written = 0;
        for (const mTChildEduNode* n = ChildEduList.get(); n && written < ChildEduCount; n = n->Next.get(), ++written)
            S.WriteCurrency(n->Sum);
        S.WriteCurrency(Medical);
        S.WriteCurrency(ExpensiveMedical);
    });
}

void mTSocialDeduct::Load(mTDocumentStorage& S) {
    WithPlaceCode(kSocialLoad, [&] {
        S.OpenStream(streams::SocialDeduct);
        Granting = S.ReadByte();
        if (!Granting) return;
        Charity = S.ReadCurrency();
        SelfEducation = S.ReadCurrency();
        const std::int32_t count = S.ReadInteger();
        FreeList();
        ChildEduCount = 0;
        // The count is not trusted: a node is made only for an amount that was read.
        for (std::int32_t i = 0; i < count; ++i) {
            Currency sum = S.ReadCurrency();
            try {
                AddChildEduSum(sum);
            } catch (mEMemoryAllocate& e) {
                e.ErrorCode = i == 0 ? 350 : 351;
                throw;
            }
        }
        Medical = S.ReadCurrency();
        ExpensiveMedical = S.ReadCurrency();
    });
}

std::uint32_t mTSocialDeduct::GetSize() const {
    if (ChildEduCount > 0 && !ChildEduList) throw mEMemoryAllocate(stgmsg::NotAllocated, 360);
    return CountBytes([&](mTDocumentStorage& S) { Save(S); });
}

// ---------------------------------------------------------------------------------------------
// mTConstructionDeduct

mTConstructionDeduct::mTConstructionDeduct()
    : RegistrationDate(EncodeDate(2003, 1, 1)), PurchaseDate(EncodeDate(2003, 1, 1)), StartDate(EncodeDate(2003, 1, 1)) {}

void mTConstructionDeduct::Save(mTDocumentStorage& S) const {
    WithPlaceCode(kConstructionSave, [&] {
        S.CreateStream(streams::ConstructionDeduct);
        S.WriteByte(Granting);
        if (!Granting) return;
        for (const std::string* t : {&ObjectName, &PostIndex, &RegionCode, &RegionName, &District, &City, &Settlement,
                                     &Street, &House, &Building, &Flat})
            S.WriteString(*t);
        S.WriteDateTime(RegistrationDate);
        S.WriteDateTime(PurchaseDate);
        S.WriteDateTime(StartDate);
        for (const Currency* c : {&ChargeCarriedOver, &CreditCarriedOver, &ChargeEarlierYears, &CreditEarlierYears, &Share,
                                  &ChargeEarlierYearsAgent, &CreditEarlierYearsAgent, &ObjectCost, &CreditInterest,
                                  &ChargeAgentThisYear, &CreditAgentThisYear})
            S.WriteCurrency(*c);
    });
}

void mTConstructionDeduct::Load(mTDocumentStorage& S) {
    WithPlaceCode(kConstructionLoad, [&] {
        S.OpenStream(streams::ConstructionDeduct);
        Granting = S.ReadByte();
        if (!Granting) return;
        for (std::string* t : {&ObjectName, &PostIndex, &RegionCode, &RegionName, &District, &City, &Settlement, &Street,
                               &House, &Building, &Flat})
            *t = S.ReadString();
        RegistrationDate = S.ReadDateTime();
        PurchaseDate = S.ReadDateTime();
        StartDate = S.ReadDateTime();
        for (Currency* c : {&ChargeCarriedOver, &CreditCarriedOver, &ChargeEarlierYears, &CreditEarlierYears, &Share,
                            &ChargeEarlierYearsAgent, &CreditEarlierYearsAgent, &ObjectCost, &CreditInterest,
                            &ChargeAgentThisYear, &CreditAgentThisYear})
            *c = S.ReadCurrency();
    });
}

std::uint32_t mTConstructionDeduct::GetSize() const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S); });
}
