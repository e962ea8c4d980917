#include "../TestUtil.h"
#include "storage/ProgrammDef.h"
#include "storage/StgClasses.h"

#include <climits>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using testutil::Header;
using testutil::OpenBytes;

namespace {

// Writes with the given body into a fresh memory block and returns the bytes after the header.
template <class F>
std::string Written(F&& body, std::uint32_t size = 4096) {
    auto loader = mTFileLoader::CreateInMemory(size);
    mTDocumentStorage s(loader.get());
    s.CreateDocument("Velmarod");
    body(s);
    return std::string(reinterpret_cast<const char*>(loader->View) + 60, s.Cursor - 60);
}

} // namespace

TEST(Container, HeaderLayout) {
    auto loader = mTFileLoader::CreateInMemory(61);
    mTDocumentStorage s(loader.get());
    s.CreateDocument("Velmarod");
    EXPECT_EQ(s.Cursor, 60u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(loader->View), 60), Header());
    EXPECT_EQ(loader->View[60], 0);
}

TEST(Container, ValueTexts) {
    EXPECT_EQ(Written([](auto& s) { s.WriteString(""); }), "0000");
    EXPECT_EQ(Written([](auto& s) { s.WriteString("Ёж"); }), "0002\xA8\xE6");
    EXPECT_EQ(Written([](auto& s) { s.WriteInteger(3000); }), "00043000");
    EXPECT_EQ(Written([](auto& s) { s.WriteInteger(0); }), "00010");
    EXPECT_EQ(Written([](auto& s) { s.WriteInteger(-5); }), "0002-5"); // signed decimal
    EXPECT_EQ(Written([](auto& s) { s.WriteWord(5); }), "00015");
    EXPECT_EQ(Written([](auto& s) { s.WriteByte(1); }), "00011");
    EXPECT_EQ(Written([](auto& s) { s.WriteCurrency(Currency::FromRaw(12345000)); }), "00061234.5");
    EXPECT_EQ(Written([](auto& s) { s.WriteCurrency(Currency::FromInt(-1)); }), "0002-1");
    EXPECT_EQ(Written([](auto& s) { s.WriteDateTime(EncodeDate(2005, 1, 1)); }), "000538353");
    EXPECT_EQ(Written([](auto& s) { s.CreateStream("@DeclInfo"); }), "0009@DeclInfo");
}

// A value written in place leaves the block after it as it was: the report library reads a block up
// to its first zero byte, so a digit left behind the last value would run on into the data.
TEST(Container, WritersLeaveTheBytesAfterTheirValue) {
    const struct {
        const char* name;
        std::function<void(mTDocumentStorage&)> write;
    } cases[] = {
        {"1500.5", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromRaw(15005000)); }},
        {"1500.25", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromRaw(15002500)); }},
        {"1500.125", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromRaw(15001250)); }},
        {"-0.0001", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromRaw(-1)); }},
        {"whole amount", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromInt(1500)); }},
        {"largest amount", [](mTDocumentStorage& s) { s.WriteCurrency(Currency::FromRaw(INT64_MIN)); }},
        {"integer", [](mTDocumentStorage& s) { s.WriteInteger(INT32_MIN); }},
        {"word", [](mTDocumentStorage& s) { s.WriteWord(65535); }},
        {"byte", [](mTDocumentStorage& s) { s.WriteByte(1); }},
        {"text", [](mTDocumentStorage& s) { s.WriteString("18210102021011000110"); }},
        {"Cyrillic text", [](mTDocumentStorage& s) { s.WriteString("Ёлочная"); }},
        {"empty text", [](mTDocumentStorage& s) { s.WriteString(""); }},
        {"date", [](mTDocumentStorage& s) { s.WriteDateTime(EncodeDate(2005, 1, 1) + 0.5); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        constexpr std::uint32_t kSize = 4096;
        auto loader = mTFileLoader::CreateInMemory(kSize);
        std::memset(loader->View, 0xEE, kSize);
        mTDocumentStorage s(loader.get());
        s.CreateDocument("Velmarod");
        c.write(s);
        const std::string after(reinterpret_cast<const char*>(loader->View) + s.Cursor, kSize - s.Cursor);
        EXPECT_EQ(after.find_first_not_of('\xEE'), std::string::npos);
    }
}

TEST(Container, PutField) {
    std::uint8_t buf[6];
    auto put = [&](std::string_view text, std::size_t width, char fill) {
        std::memset(buf, '#', sizeof buf);
        mTDocumentStorage::PutField(buf, text, width, fill);
        return std::string(reinterpret_cast<char*>(buf), 6);
    };
    EXPECT_EQ(put("12", 4, '0'), "0012##");
    EXPECT_EQ(put("123456", 4, '0'), "1234##");
    EXPECT_EQ(put("", 4, '0'), "######");
    EXPECT_EQ(put("ab", 0, '0'), "######");
}

TEST(Container, ReadsEveryKindOfValue) {
    struct Case {
        const char* name;
        std::string version;
        std::string bytes;
        std::function<void(mTDocumentStorage&)> check;
    };
    const Case cases[] = {
        {"empty text", "0102", "0000", [](auto& s) { EXPECT_EQ(s.ReadString(), ""); }},
        {"money -1", "0102", "0002-1", [](auto& s) { EXPECT_EQ(s.ReadCurrency(), Currency::FromInt(-1)); }},
        {"money a", "0102", "0001a", [](auto& s) { EXPECT_EQ(s.ReadCurrency(), Currency::FromInt(-1)); }},
        {"money with comma", "0102", "000412,5", [](auto& s) { EXPECT_EQ(s.ReadCurrency().Raw(), 125000); }},
        {"date text 1.1", "0101", "001001.01.2005", [](auto& s) { EXPECT_EQ(s.ReadDateTime(), 38353); }},
        {"date text with commas", "0100", "001001,01,2005", [](auto& s) { EXPECT_EQ(s.ReadDateTime(), 38353); }},
        {"date number 1.2", "0102", "000538353", [](auto& s) { EXPECT_EQ(s.ReadDateTime(), 38353); }},
        {"date number with comma", "0102", "000738353,5", [](auto& s) { EXPECT_EQ(s.ReadDateTime(), 38353.5); }},
        {"integer 0", "0102", "00010", [](auto& s) { EXPECT_EQ(s.ReadInteger(), 0); }},
        {"negative integer", "0102", "0002-5", [](auto& s) { EXPECT_EQ(s.ReadInteger(), -5); }},
        {"integer above 32 bits", "0102", "00104294967295", [](auto& s) { EXPECT_THROW(s.ReadInteger(), EConvertError); }},
        {"word keeps low bits", "0102", "000565537", [](auto& s) { EXPECT_EQ(s.ReadWord(), 1); }},
        {"byte keeps low bits", "0102", "0003257", [](auto& s) { EXPECT_EQ(s.ReadByte(), 1); }},
        {"number with length 0 takes one character", "0102", "00007", [](auto& s) { EXPECT_EQ(s.ReadInteger(), 7); }},
        {"length that is no number", "0102", "00x1a", [](auto& s) { EXPECT_THROW(s.ReadString(), EConvertError); }},
        // Each side of the line between the plain forms read inline and the rest.
        {"integer of nine digits", "0102", "0009999999999", [](auto& s) { EXPECT_EQ(s.ReadInteger(), 999999999); }},
        {"integer of ten digits", "0102", "00102147483647", [](auto& s) { EXPECT_EQ(s.ReadInteger(), 2147483647); }},
        {"integer with a plus", "0102", "0002+7", [](auto& s) { EXPECT_EQ(s.ReadInteger(), 7); }},
        {"integer after a blank", "0102", "0002 7", [](auto& s) { EXPECT_EQ(s.ReadInteger(), 7); }},
        {"money with four decimals", "0102", "00061.2345", [](auto& s) { EXPECT_EQ(s.ReadCurrency().Raw(), 12345); }},
        {"money with five decimals", "0102", "00071.23455", [](auto& s) { EXPECT_EQ(s.ReadCurrency().Raw(), 12346); }},
        {"money after a blank", "0102", "0002 5", [](auto& s) { EXPECT_EQ(s.ReadCurrency().Raw(), 50000); }},
        {"money that is no number", "0102", "0002ab", [](auto& s) { EXPECT_THROW(s.ReadCurrency(), EConvertError); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto b = OpenBytes(Header("Velmarod", c.version) + c.bytes);
        c.check(*b.storage);
    }
}

TEST(Container, HeaderFields) {
    auto b = OpenBytes(Header("Velmarod", "0102"));
    EXPECT_EQ(b.storage->RootName, "Velmarod");
    EXPECT_EQ(b.storage->Major, 1);
    EXPECT_EQ(b.storage->Minor, 2);
    EXPECT_EQ(b.storage->Reserved, std::string(32, 'F'));
    EXPECT_EQ(b.storage->Version(), Version12.Value());
    EXPECT_EQ(b.storage->Cursor, 60u);
}

TEST(Container, ReadsNeverPassTheData) {
    // A length that runs past the zero byte that ends the data is a damaged document.
    for (std::string tail : {"0009abc", "00", "9999x"}) {
        SCOPED_TRACE(tail);
        auto b = OpenBytes(Header() + tail);
        try {
            b.storage->ReadString();
            FAIL() << "no exception";
        } catch (const mEBadStorage& e) {
            EXPECT_STREQ(e.what(), stgmsg::BadFormat);
        }
    }
    // The data ends at the first zero byte even when the block goes on.
    auto b = OpenBytes(Header() + std::string("0005ab\0cd", 9));
    EXPECT_THROW(b.storage->ReadString(), mEBadStorage);
}

TEST(Container, StreamSearch) {
    const std::string nalog = std::string("0006@Nalog") + "00012";
    const std::string sub0 = std::string("0012@NalogSub000") + "0000" + "0000" + "00013";
    const std::string sub1 = std::string("0012@NalogSub001") + "0000" + "0000" + "0003120";
    {
        auto b = OpenBytes(Header() + nalog + sub0 + sub1);
        auto& s = *b.storage;
        s.OpenStream("@NalogSub001");
        EXPECT_EQ(s.CurrentStream, "@NalogSub001");
        EXPECT_EQ(s.Cursor, 60 + nalog.size() + sub0.size() + 16);
        s.OpenStream("@Nalog");
        EXPECT_EQ(s.ReadWord(), 2);
    }
    {
        // A text value equal to a stream's name, or containing it, before the stream: when the
        // reader stands at the stream it is taken, never the text.
        const std::string before = std::string("0006@Nalog") + "0013x@NalogSub000";
        auto b = OpenBytes(Header() + before + nalog + sub0);
        auto& s = *b.storage;
        s.Cursor = static_cast<std::uint32_t>(60 + before.size());
        s.OpenStream("@Nalog");
        EXPECT_EQ(s.ReadWord(), 2);
        s.OpenStream("@NalogSub000");
        EXPECT_EQ(s.ReadString(), "");
        EXPECT_EQ(s.ReadString(), "");
        EXPECT_EQ(s.ReadCurrency().Raw(), 30000);
    }
    {
        // From a cursor past the stream, the first whole value of that name is found.
        auto b = OpenBytes(Header() + nalog + sub0);
        auto& s = *b.storage;
        s.OpenStream("@NalogSub000");
        s.OpenStream("@Nalog");
        EXPECT_EQ(s.ReadWord(), 2);
        EXPECT_THROW(s.OpenStream("@NalogSub002"), mEOpenStream);
        try {
            s.OpenStream("@Missing");
        } catch (const mEOpenStream& e) {
            EXPECT_EQ(e.ErrorCode, 210);
            EXPECT_STREQ(e.what(), "Попытка открытия несуществующего потока");
        }
    }
}

TEST(Container, StateErrors) {
    auto expectCode = [](auto&& fn, std::uint16_t code) {
        try {
            fn();
            ADD_FAILURE() << "no exception, expected " << code;
        } catch (const mEPrivBase& e) {
            EXPECT_EQ(e.ErrorCode, code);
            EXPECT_EQ(e.PlaceCode, 0);
        }
    };
    auto loader = mTFileLoader::CreateInMemory(200);
    mTDocumentStorage fresh(loader.get());
    expectCode([&] { fresh.WriteString("x"); }, 151);
    expectCode([&] { fresh.WriteInteger(1); }, 161);
    expectCode([&] { fresh.ReadString(); }, 93);
    expectCode([&] { fresh.ReadDateTime(); }, 132);
    expectCode([&] { fresh.ReadByte(); }, 142);
    expectCode([&] { fresh.OpenStream("@X"); }, 211);
    expectCode([&] { fresh.CreateStream("@X"); }, 82);
    fresh.CreateDocument("Velmarod");
    expectCode([&] { fresh.CreateDocument("Velmarod"); }, 52);
    expectCode([&] { fresh.OpenDocument(); }, 69);

    mTDocumentStorage noLoader(nullptr);
    expectCode([&] { noLoader.CreateDocument("Velmarod"); }, 50);

    const std::string doc = Header();
    mTDocumentStorage ro;
    ro.OpenBlock(reinterpret_cast<const std::uint8_t*>(doc.c_str()));
    expectCode([&] { ro.WriteCurrency(Currency()); }, 180);
    expectCode([&] { ro.WriteByte(1); }, 200);
    expectCode([&] { ro.CreateStream("@X"); }, 81);

    // A write past the end of the block is refused, never made.
    auto small = mTFileLoader::CreateInMemory(64);
    mTDocumentStorage s(small.get());
    s.CreateDocument("Velmarod");
    EXPECT_THROW(s.WriteString("12345"), mEMemoryAllocate);
    EXPECT_THROW(s.WriteString(std::string(10000, 'x')), mEWriteStorage);

    // Too long a text is refused also where the block has room for it, and nothing is written.
    auto large = mTFileLoader::CreateInMemory(30000);
    mTDocumentStorage l(large.get());
    l.CreateDocument("Velmarod");
    EXPECT_THROW(l.WriteString(std::string(10000, 'x')), mEWriteStorage);
    EXPECT_EQ(l.Cursor, 60u);
    EXPECT_EQ(large->View[60], 0);
    l.WriteString(std::string(9999, 'x'));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(large->View) + 60, 5), "9999x");
}

// A block that grows takes any number of values, always keeps a zero byte after them, and holds
// the bytes a block of fixed size would.
TEST(Container, GrowingBlock) {
    auto write = [](mTDocumentStorage& s) {
        s.CreateDocument("Velmarod");
        s.WriteString(""); // ends exactly at the first block's end
        for (int i = 0; i < 3000; ++i) {
            s.CreateStream("@Line" + std::to_string(i));
            s.WriteString("Доход");
            s.WriteCurrency(Currency::FromRaw(i * 12345));
        }
    };
    auto growing = mTFileLoader::CreateInMemory(64);
    mTDocumentStorage g(growing.get(), mTDocumentStorage::WhenFull::Grow);
    write(g);
    auto fixed = mTFileLoader::CreateInMemory(g.Cursor);
    mTDocumentStorage f(fixed.get());
    write(f);
    ASSERT_EQ(f.Cursor, g.Cursor);
    ASSERT_GT(growing->Size, g.Cursor);
    EXPECT_EQ(std::memcmp(growing->View, fixed->View, g.Cursor), 0);
    EXPECT_EQ(growing->View[g.Cursor], 0);
    EXPECT_EQ(g.Base, growing->View);
    EXPECT_EQ(g.Limit, growing->Size);

    auto header = mTFileLoader::CreateInMemory(64);
    mTDocumentStorage h(header.get(), mTDocumentStorage::WhenFull::Grow);
    h.CreateDocument("Velmarod");
    h.WriteString("");
    EXPECT_GT(header->Size, 64u);
    EXPECT_EQ(header->View[64], 0);
}

TEST(Container, BadSignatureResets) {
    auto loader = mTFileLoader::CreateInMemory(100);
    std::memcpy(loader->View, "dlsg", 4);
    mTDocumentStorage s(loader.get());
    try {
        s.OpenDocument();
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode, 68);
        EXPECT_STREQ(e.what(), "Неправильный формат файла декларации, возможно он поврежден.");
    }
    EXPECT_FALSE(s.Opened);
    EXPECT_EQ(s.Cursor, 0u);
}

TEST(Container, OpenBlockOfTheReportLibrary) {
    std::string doc = Header() + "0006@Nalog00010";
    mTDocumentStorage s;
    s.OpenBlock(reinterpret_cast<const std::uint8_t*>(doc.c_str()));
    s.OpenStream("@Nalog");
    EXPECT_EQ(s.ReadWord(), 0);
    EXPECT_THROW(s.ReadString(), mEBadStorage); // the zero byte ends the data
    try {
        s.OpenBlock(reinterpret_cast<const std::uint8_t*>(doc.c_str()));
        FAIL();
    } catch (const mEAlreadyCreated& e) {
        EXPECT_EQ(e.ErrorCode, 72);
    }
    mTDocumentStorage lower;
    try {
        lower.OpenBlock(reinterpret_cast<const std::uint8_t*>("dlsg"));
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode, 71);
    }
}

TEST(ReferenceTables, Shape) {
    EXPECT_EQ(RegionTable.size(), 90u);
    for (std::size_t i = 0; i < 89; ++i) {
        EXPECT_EQ(std::strlen(RegionTable[i].Code), 2u);
        EXPECT_EQ(std::stoi(RegionTable[i].Code), static_cast<int>(i + 1));
    }
    EXPECT_STREQ(RegionTable[89].Code, "9901");
    EXPECT_STREQ(RegionTable[89].Name, "город и космодром Байконур");
    EXPECT_EQ(IdentityDocTypes.size(), 18u);
    EXPECT_STREQ(IdentityDocTypes[12].Code, "21");
    EXPECT_STREQ(IdentityDocTypes[12].Name, "Паспорт гражданина РФ");
    EXPECT_STREQ(MonthNames[0], "Январь");
    EXPECT_STREQ(MonthNames[11], "Декабрь");
    EXPECT_LT(Version11.Value(), Version12.Value());
}
