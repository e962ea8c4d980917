// The "DLSG" document container: its storage exceptions, the mapped block it works on and the
// container itself (a 60-byte header followed by values of a four-digit length and a text).
#pragma once

#include "platform/Codec.h"
#include "platform/Currency.h"
#include "platform/NumText.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unordered_map>
#include <utility>
#include <vector>

class TRemoveOnSignal;

// ---------------------------------------------------------------------------------------------
// Storage exceptions: a message for the user, the code of the raise site and the place code that
// an outer save or load routine sets on the way out.

class mEPrivBase : public std::runtime_error {
public:
    mEPrivBase(const std::string& message, std::uint16_t code) : std::runtime_error(message), ErrorCode(code) {}
    std::uint16_t ErrorCode;
    std::uint16_t PlaceCode = 0;
};

class mEMemoryAllocate : public mEPrivBase {
public:
    using mEPrivBase::mEPrivBase;
};
class mEWriteStorage : public mEPrivBase {
public:
    using mEPrivBase::mEPrivBase;
};
class mEBadStorage : public mEPrivBase {
public:
    using mEPrivBase::mEPrivBase;
};
class mEAlreadyCreated : public mEPrivBase {
public:
    using mEPrivBase::mEPrivBase;
};
class mEObjectAccess : public mEPrivBase {
public:
    using mEPrivBase::mEPrivBase;
};
class mEOpenStream : public mEPrivBase {
public:
    using mEPrivBase::mEPrivBase;
};

namespace stgmsg {
inline constexpr const char* ReadFile = "Ошибка чтения файла: ";
inline constexpr const char* FileBusy = "Возможно он занят, или с признаком 'read only'";
inline constexpr const char* ZeroLength = "Создаваемый фаил отображения не может быть нулевой длины.";
inline constexpr const char* NoMapping = "Не удается создать отображение файла.";
inline constexpr const char* NotAllocated = "Не выделена память.";
inline constexpr const char* ReadOnlyWrite = "Попытка записи в память только для чтения";
inline constexpr const char* AlreadyCreated = "Объект уже был создан.";
inline constexpr const char* NoMemory = "Недостаточно свободной памяти.";
inline constexpr const char* BadFormat = "Неправильный формат файла декларации, возможно он поврежден.";
inline constexpr const char* Uninitialized = "Попытка доступа к неинициализированным данным.";
inline constexpr const char* NoStream = "Попытка открытия несуществующего потока";
inline constexpr const char* TextTooLong = "Текст длиннее 9999 знаков не помещается в документ.";
} // namespace stgmsg

// Codes of our own raise sites beyond the table of the storage layer.
namespace stgcode {
inline constexpr std::uint16_t TextTooLong = 152;   // a text of more than 9999 characters
inline constexpr std::uint16_t BlockOverflow = 154; // a write that would pass the end of the block
inline constexpr std::uint16_t ReadPastData = 393;  // a value that would pass the end of the data
inline constexpr std::uint16_t DamagedValues = 394; // the values cannot be walked to find a stream
} // namespace stgcode

// Runs body; a storage exception leaving it gets the place code and goes on.
template <class F>
void WithPlaceCode(std::uint16_t place, F&& body) {
    try {
        body();
    } catch (mEPrivBase& e) {
        e.PlaceCode = place;
        throw;
    }
}

// ---------------------------------------------------------------------------------------------
// One block of bytes: a document file mapped read-only with exclusive access for loading, or
// zero-filled anonymous memory.
//
// A document file is never written in place. A loader made for saving (read-only false) checks the
// target and creates a new file in the target's folder; its block is memory, and Commit writes the
// block into the new file and makes it the document (synced, with the old file's permissions,
// renamed over it). A loader destroyed without Commit removes the new file and leaves the old
// document as it was; so does SIGTERM or SIGINT ending the process while the new file exists.

class mTFileLoader {
public:
    mTFileLoader(const std::string& fileName, bool readOnly, std::uint32_t size);
    static std::unique_ptr<mTFileLoader> CreateInMemory(std::uint32_t size);
    ~mTFileLoader();
    mTFileLoader(const mTFileLoader&) = delete;
    mTFileLoader& operator=(const mTFileLoader&) = delete;

    void Close();
    // A saving loader writes the first bytes of its block into the new file, which it goes on
    // filling from the start of the block: a document larger than the block passes through it.
    void WriteOut(std::uint32_t bytes);
    void Commit();
    // A block in memory (any block but a file read) takes a new size: its bytes stay as far as both
    // sizes reach, new bytes are zero.
    void Resize(std::uint32_t size);

    std::string FileName;
    bool InMemory = false;
    bool ReadOnly = false;
    std::uint8_t* View = nullptr;
    bool Opened = false;
    int FileHandle = -1;
    std::uint32_t Size = 0;

private:
    mTFileLoader() = default;
    void Open();
    void OpenForReading();
    void OpenForSaving();
    void MapView(int prot, int flags, int fd);
    void WriteBlock(std::uint32_t bytes);
    template <class E>
    [[noreturn]] void Fail(E&& e) {
        Close();
        throw std::forward<E>(e);
    }

    std::string TargetPath_; // the document file a save replaces (links resolved)
    std::string TempPath_;   // the new file while a save runs
    std::unique_ptr<TRemoveOnSignal> TempGuard_; // removes it when a signal ends the process
    int TargetLock_ = -1;    // the existing document, locked while a save runs
    mode_t TargetMode_ = 0;
    static constexpr std::uint32_t kStartWritebackBytes = 512 * 1024;
    std::uint32_t unsynced_ = 0; // bytes written since the disk was last started on the file
};

// ---------------------------------------------------------------------------------------------
// The container.

class mTDocumentStorage {
public:
    // What a write that would pass the end of the loader's block does.
    enum class WhenFull {
        Fail,
        Grow,     // the block (memory) is made bigger, always keeping a zero byte after the data
        WriteOut, // the block so far goes into the saving loader's file and is filled again
    };
    explicit mTDocumentStorage(mTFileLoader* loader, WhenFull whenFull = WhenFull::Fail);
    // Without a loader: the report library opens a caller's block with OpenBlock.
    mTDocumentStorage();
    // A container that writes nothing and only counts: its cursor after a Save is the exact number
    // of bytes that Save writes into a real block.
    static std::unique_ptr<mTDocumentStorage> SizeCounter();
    ~mTDocumentStorage() = default;

    void CreateDocument(const std::string& rootName);
    void OpenDocument();
    // Opens a block that ends at its first zero byte, read-only (the handed-over document).
    void OpenBlock(const std::uint8_t* block);
    void ReadHeader();
    void CreateStream(std::string_view name);
    void OpenStream(std::string_view name);
    void Reset();

    std::string ReadString();
    // The same into a text already there (a record's field), sparing a copy per text.
    void ReadString(std::string& into);
    // A number or an amount in its plain form, as every writer makes it, is read inline; any other
    // value (and every error) by the full path.
    std::int32_t ReadInteger() {
        std::uint32_t v;
        return TakePlainDigits(v) ? static_cast<std::int32_t>(v) : ReadIntegerValue();
    }
    std::uint16_t ReadWord() {
        std::uint32_t v;
        return TakePlainDigits(v) ? static_cast<std::uint16_t>(v) : ReadWordValue();
    }
    std::uint8_t ReadByte() {
        std::uint32_t v;
        return TakePlainDigits(v) ? static_cast<std::uint8_t>(v) : ReadByteValue();
    }
    Currency ReadCurrency() {
        std::string_view text;
        Currency c;
        if (PeekValue(text)) {
            if (text == "a") c = Currency::FromInt(-1); // a month without an amount
            else if (!Currency::TryParse(text, '.', c)) return ReadCurrencyValue();
            Cursor += static_cast<std::uint32_t>(4 + text.size());
            return c;
        }
        return ReadCurrencyValue();
    }
    TDateTime ReadDateTime();

    // Plain ASCII, as every stream name and most codes are, is its own Windows-1251 form and goes
    // straight into a block with room for it.
    void WriteString(std::string_view text) {
        if (!codec::IsPlainAscii(text) || !PutInPlace(text.size(), [text](char* out) {
                if (!text.empty()) std::memcpy(out, text.data(), text.size());
                return text.size();
            }))
            WriteStringValue(text);
    }
    // A number goes straight into a block with room for it; every other case (no room, a counter,
    // a block that cannot be written) takes the full path with its checks.
    void WriteInteger(std::int32_t value) {
        if (!PutNumberInPlace(value)) WriteIntegerValue(value);
    }
    void WriteWord(std::uint16_t value) {
        if (!PutNumberInPlace(unsigned{value})) WriteWordValue(value);
    }
    void WriteByte(std::uint8_t value) {
        if (!PutNumberInPlace(unsigned{value})) WriteByteValue(value);
    }
    void WriteCurrency(Currency value) {
        if (!PutInPlace(Currency::kMaxChars, [value](char* out) { return value.ToChars(out, '.'); }))
            WriteCurrencyValue(value);
    }
    void WriteDateTime(TDateTime value);
    // Ends the data with the zero byte at which a reader stops, in every kind of block: a written-out
    // block may hold older bytes there, or be full (it is then written out first); a growing one
    // grows; a fixed one must have the byte left. Result: the bytes of the block in use, the zero
    // included.
    std::uint32_t EndData() {
        if (std::uint8_t* at = Room(1)) *at = 0;
        return Cursor - Origin + 1;
    }

    // Major x 65536 + Minor of the document read.
    std::uint32_t Version() const { return static_cast<std::uint32_t>(Major) * 65536u + Minor; }

    // Places a fixed-width field: cut to width, or right-aligned after fill characters.
    static void PutField(std::uint8_t* dest, std::string_view text, std::size_t width, char fill);

    bool ReadOnly = false;
    std::uint8_t* Base = nullptr;
    std::uint32_t Cursor = 0;
    std::string RootName;
    std::string CurrentStream;
    std::string Reserved;
    std::uint16_t Major = 0;
    std::uint16_t Minor = 0;
    mTFileLoader* Loader = nullptr;
    bool Opened = false;
    bool Created = false;
    std::uint32_t Limit = 0; // size of the block; nothing is read, written or searched past it
    // The document's place of the block's first byte: past zero once written-out bytes left the block.
    std::uint32_t Origin = 0;

private:
    struct ReadCodes {
        std::uint16_t noBuffer1, noBuffer2, notOpened;
    };
    std::string_view ReadValue(const ReadCodes& codes, bool zeroAsOne);
    // The four digits of a value's length at f, all at once; false when they are not four digits.
    static bool FourDigits(const std::uint8_t* f, std::uint32_t& len) {
        static_assert(std::endian::native == std::endian::little, "the digits are read as a little-endian word");
        std::uint32_t w;
        std::memcpy(&w, f, 4);
        // Every byte 0x30..0x39: its high half is 3, and adding 6 does not carry out of the low half.
        if ((w & 0xF0F0F0F0u) != 0x30303030u || ((w + 0x06060606u) & 0xF0F0F0F0u) != 0x30303030u) return false;
        const std::uint32_t d = w - 0x30303030u;                       // the digits, the first in the lowest byte
        const std::uint32_t pairs = (d * 10 + (d >> 8)) & 0x00FF00FFu; // the first and the second two as numbers
        len = ((pairs * (1u + (100u << 16))) >> 16) & 0xFFFFu;
        return true;
    }
    // The text of a non-empty value with four length digits standing whole at the cursor in an opened
    // block; the cursor stays.
    bool PeekValue(std::string_view& text) const {
        if (!Opened || Cursor > dataEnd_ || dataEnd_ - Cursor < 4) return false;
        std::uint32_t len;
        if (!FourDigits(Base + Cursor, len) || len == 0 || dataEnd_ - Cursor - 4 < len) return false;
        text = std::string_view(reinterpret_cast<const char*>(Base + Cursor + 4), len);
        return true;
    }
    // The value at the cursor when it is one to nine digits and nothing else; the cursor then moves
    // past it.
    bool TakePlainDigits(std::uint32_t& v) {
        std::string_view text;
        if (!PeekValue(text) || text.size() > 9) return false;
        v = 0;
        for (char c : text) {
            if (c < '0' || c > '9') return false;
            v = v * 10 + static_cast<std::uint32_t>(c - '0');
        }
        Cursor += static_cast<std::uint32_t>(4 + text.size());
        return true;
    }
    std::int32_t ReadIntegerValue();
    std::uint16_t ReadWordValue();
    std::uint8_t ReadByteValue();
    Currency ReadCurrencyValue();
    void Writable(std::uint16_t readOnlyCode, std::uint16_t notOpenedCode) const {
        if (ReadOnly) throw mEWriteStorage(stgmsg::ReadOnlyWrite, readOnlyCode);
        if (!Opened) throw mEObjectAccess(stgmsg::Uninitialized, notOpenedCode);
    }
    void WriteValue(std::string_view encoded, std::uint16_t readOnlyCode, std::uint16_t notOpenedCode);
    // Records follow each other with names of one length, so the name's room is simply written over.
    void SetCurrentStream(std::string_view name) {
        if (CurrentStream.size() != name.size()) CurrentStream.resize(name.size());
        if (!name.empty()) std::memcpy(CurrentStream.data(), name.data(), name.size());
    }
    // A writable, opened block (not a counter) with room for maxLen bytes after a value's length,
    // maxLen not past what a length field holds.
    bool HasRoomInPlace(std::size_t maxLen) const {
        return !ReadOnly & Opened & !counting_ & (maxLen <= 9999) & (std::uint64_t(Cursor) + 4 + maxLen < Limit);
    }
    // The four digits of a value's length (at most 9999).
    static void PutLength(std::uint8_t* at, std::size_t len) {
        static constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                              "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                              "8081828384858687888990919293949596979899";
        std::memcpy(at, kDigitPairs + 2 * (len / 100), 2);
        std::memcpy(at + 2, kDigitPairs + 2 * (len % 100), 2);
    }
    // Where the block has room for maxLen bytes after the length (and can be written, and nothing is
    // only counted), put writes the value there and returns its length, which goes before it; false
    // otherwise. put writes no byte past that length: what follows a value in the block stays as it
    // was (zero after the last one).
    template <class F>
    bool PutInPlace(std::size_t maxLen, F&& put) {
        if (!HasRoomInPlace(maxLen)) return false;
        std::uint8_t* at = Base + (Cursor - Origin);
        const std::size_t len = put(reinterpret_cast<char*>(at + 4));
        PutLength(at, len);
        Cursor += static_cast<std::uint32_t>(4 + len);
        return true;
    }
    static constexpr std::size_t kMaxNumberChars = 11; // "-2147483648"
    template <class N>
    bool PutNumberInPlace(N value) {
        return PutInPlace(kMaxNumberChars, [value](char* out) {
            return static_cast<std::size_t>(std::to_chars(out, out + kMaxNumberChars, value).ptr - out);
        });
    }
    void WriteStringValue(std::string_view text);
    void WriteIntegerValue(std::int32_t value);
    void WriteWordValue(std::uint16_t value);
    void WriteByteValue(std::uint8_t value);
    void WriteCurrencyValue(Currency value);
    template <class N>
    void WriteNumber(N value, std::uint16_t readOnlyCode, std::uint16_t notOpenedCode);
    // Where the next bytes go (none while counting), after making sure the block has room for them.
    // A written-out block takes at most as many as it holds (PassThrough takes more).
    std::uint8_t* Room(std::uint64_t bytes) {
        const std::uint64_t end = std::uint64_t(Cursor) + bytes;
        if (end >= Limit) [[unlikely]]
            MakeRoom(end);
        return counting_ ? nullptr : Base + (Cursor - Origin);
    }
    void MakeRoom(std::uint64_t end);
    void WriteOutBlock();
    // Bytes as they are: into the block's room, or through a written-out block in parts when they are
    // more than it holds. A written-out block may be left full to its last byte; the next write or
    // EndData writes it out.
    void PutBytes(const void* bytes, std::size_t n);
    void PassThrough(const std::uint8_t* bytes, std::size_t n);
    bool PassesThrough(std::size_t n) const { return whenFull_ == WhenFull::WriteOut && n > Loader->Size; }
    std::string_view HeaderField(std::size_t width);
    std::uint32_t DataEnd() const { return dataEnd_; }
    bool ValueAt(std::uint32_t pos, std::string_view& text, std::uint32_t& next) const;
    void BuildStreamIndex();

    bool counting_ = false;
    WhenFull whenFull_ = WhenFull::Fail;
    std::string encoded_; // the Windows-1251 form of the text at hand, kept to spare an allocation per text
    std::uint32_t dataEnd_ = 0; // the first zero byte of the block, or Limit
    bool indexBuilt_ = false;
    bool walkBroken_ = false;
    std::unordered_map<std::string, std::vector<std::uint32_t>> streamIndex_;
};

// The exact number of bytes that write puts into a container, counted without writing anything.
template <class F>
std::uint32_t CountBytes(F&& write) {
    auto counter = mTDocumentStorage::SizeCounter();
    counter->Opened = true;
    write(*counter);
    return counter->Cursor;
}
