#include "model/PersonClasses.h"

#include "storage/StreamDef.h"

namespace {

constexpr std::uint16_t kPersonSave = 370, kPersonLoad = 371;

void WritePhone(mTDocumentStorage& S, const char* stream, const mTPersonPhone& P) {
    S.CreateStream(stream);
    S.WriteString(P.Code);
    S.WriteString(P.Number);
}

void ReadPhone(mTDocumentStorage& S, const char* stream, mTPersonPhone& P) {
    S.OpenStream(stream);
    P.Code = S.ReadString();
    P.Number = S.ReadString();
}

} // namespace

mTPersonInformation::mTPersonInformation() {
    Doc.IssueDate = EncodeDate(2005, 1, 1);
    Doc.BirthDate = EncodeDate(2005, 1, 1);
}

void mTPersonInformation::Save(mTDocumentStorage& S) const {
    WithPlaceCode(kPersonSave, [&] {
        S.CreateStream(streams::PersonName);
        S.WriteString(Name.SurName);
        S.WriteString(Name.FirstName);
        S.WriteString(Name.Patronymic);
        S.WriteString(Name.INN);
        S.WriteString(Name.InsuranceNumber);
        S.WriteString(Name.Sex);

        S.CreateStream(streams::PersonDocument);
        S.WriteWord(Doc.DocTypeCode);
        S.WriteString(Doc.DocTypeName);
        S.WriteString(Doc.SeriesNumber);
        S.WriteDateTime(Doc.IssueDate);
        S.WriteDateTime(Doc.BirthDate);
        S.WriteString(Doc.IssuedBy);
        S.WriteString(Doc.BirthPlace);
        S.WriteByte(IsForeigner);

        if (IsForeigner) {
            S.CreateStream(streams::Foreigner);
            S.WriteString(Foreigner.StayDays);
            S.WriteString(Foreigner.Citizenship);
            S.WriteString(Foreigner.AddressAbroad);
            S.WriteString(Foreigner.CountryCode);
            WritePhone(S, streams::PhoneForeignerHome, ForeignHomePhone);
            WritePhone(S, streams::PhoneForeignerWork, ForeignWorkPhone);
        }

        S.CreateStream(streams::PersonAddress);
        S.WriteByte(Address.AddressKind);
        S.WriteString(Address.PostIndex);
        S.WriteWord(Address.RegionCode);
        S.WriteString(Address.RegionName);
        S.WriteString(Address.District);
        S.WriteString(Address.City);
        S.WriteString(Address.Settlement);
        S.WriteString(Address.Street);
        S.WriteString(Address.House);
        S.WriteString(Address.Building);
        S.WriteString(Address.Flat);
        S.WriteString(Address.OKATO);

        WritePhone(S, streams::HomePhone, HomePhone);
        WritePhone(S, streams::WorkPhone, WorkPhone);
    });
}

void mTPersonInformation::Load(mTDocumentStorage& S) {
    WithPlaceCode(kPersonLoad, [&] {
        const bool current = S.RootName == streams::RootVelmarod;
        const bool previous = S.RootName == streams::RootVelmarin;

        S.OpenStream(streams::PersonName);
        Name.SurName = S.ReadString();
        Name.FirstName = S.ReadString();
        Name.Patronymic = S.ReadString();
        Name.INN = S.ReadString();
        if (current || previous) {
            Name.InsuranceNumber = S.ReadString();
            Name.Sex = S.ReadString();
        }

        S.OpenStream(streams::PersonDocument);
        Doc.DocTypeCode = S.ReadWord();
        Doc.DocTypeName = S.ReadString();
        Doc.SeriesNumber = S.ReadString();
        Doc.IssueDate = S.ReadDateTime();
        Doc.BirthDate = S.ReadDateTime();
        if (current || previous) {
            Doc.IssuedBy = S.ReadString();
            Doc.BirthPlace = S.ReadString();
        }
        if (current) IsForeigner = S.ReadByte();

        if (IsForeigner) {
            // The foreigner's streams may be missing from a file: the person is read without them.
            try {
                S.OpenStream(streams::Foreigner);
                Foreigner.StayDays = S.ReadString();
                Foreigner.Citizenship = S.ReadString();
                if (current || previous) {
                    Foreigner.AddressAbroad = S.ReadString();
                    Foreigner.CountryCode = S.ReadString();
                }
                if (current) {
                    ReadPhone(S, streams::PhoneForeignerHome, ForeignHomePhone);
                    ReadPhone(S, streams::PhoneForeignerWork, ForeignWorkPhone);
                }
            } catch (const mEOpenStream&) {
            }
        }

        S.OpenStream(streams::PersonAddress);
        if (current) Address.AddressKind = S.ReadByte();
        Address.PostIndex = S.ReadString();
        Address.RegionCode = S.ReadWord();
        Address.RegionName = S.ReadString();
        Address.District = S.ReadString();
        Address.City = S.ReadString();
        Address.Settlement = S.ReadString();
        Address.Street = S.ReadString();
        Address.House = S.ReadString();
        Address.Building = S.ReadString();
        Address.Flat = S.ReadString();
        if (current) Address.OKATO = S.ReadString();

        if (current) {
            ReadPhone(S, streams::HomePhone, HomePhone);
            ReadPhone(S, streams::WorkPhone, WorkPhone);
        }
    });
}

std::uint32_t mTPersonInformation::GetSize() const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S); });
}
