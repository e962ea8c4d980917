#include "storage/StgClasses.h"

#include "platform/Codec.h"
#include "platform/RemoveOnSignal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// =============================================================================================
// mTFileLoader

namespace {

std::string FolderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

mode_t CurrentUmask() {
    mode_t m = umask(0);
    umask(m);
    return m;
}

} // namespace

mTFileLoader::mTFileLoader(const std::string& fileName, bool readOnly, std::uint32_t size)
    : FileName(fileName), InMemory(false), ReadOnly(readOnly), Size(size) {
    Open();
}

std::unique_ptr<mTFileLoader> mTFileLoader::CreateInMemory(std::uint32_t size) {
    std::unique_ptr<mTFileLoader> l(new mTFileLoader());
    l->InMemory = true;
    l->ReadOnly = false;
    l->Size = size;
    l->Open();
    return l;
}

mTFileLoader::~mTFileLoader() { Close(); }

void mTFileLoader::Open() {
    if (InMemory) {
        if (Size == 0) throw mEMemoryAllocate(stgmsg::ZeroLength, 25);
        MapView(PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1);
        return;
    }
    if (ReadOnly)
        OpenForReading();
    else
        OpenForSaving();
}

void mTFileLoader::MapView(int prot, int flags, int fd) {
    void* p = mmap(nullptr, Size, prot, flags, fd, 0);
    if (p == MAP_FAILED) Fail(mEMemoryAllocate(stgmsg::NoMapping, 27));
    View = static_cast<std::uint8_t*>(p);
    Opened = true;
}

void mTFileLoader::Resize(std::uint32_t size) {
    if (size == 0) throw mEMemoryAllocate(stgmsg::ZeroLength, 25);
    // A file read keeps its size.
    if (!Opened || ReadOnly) throw mEMemoryAllocate(stgmsg::NoMemory, stgcode::BlockOverflow);
    if (size < Size) {
        // Bytes cut off in the last page kept would come back if the block grew again.
        static const std::uint64_t page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
        const std::uint64_t pageEnd = (size + page - 1) / page * page;
        std::memset(View + size, 0, static_cast<std::size_t>(std::min<std::uint64_t>(pageEnd, Size) - size));
    }
    // The pages move without being copied; the old block stays whole when this fails.
    void* p = mremap(View, Size, size, MREMAP_MAYMOVE);
    if (p == MAP_FAILED) throw mEMemoryAllocate(stgmsg::NoMemory, stgcode::BlockOverflow);
    View = static_cast<std::uint8_t*>(p);
    Size = size;
}

void mTFileLoader::OpenForReading() {
    const std::string busy = std::string(stgmsg::ReadFile) + FileName + "\r" + stgmsg::FileBusy;
    FileHandle = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (FileHandle < 0) {
        // A document that is not there is not created by opening it.
        if (errno == ENOENT) throw mEBadStorage(std::string(stgmsg::ReadFile) + FileName, 20);
        throw mEBadStorage(busy, 21);
    }
    struct stat st{};
    if (fstat(FileHandle, &st) != 0 || !S_ISREG(st.st_mode)) Fail(mEBadStorage(busy, 21));
    if (flock(FileHandle, LOCK_EX | LOCK_NB) != 0) Fail(mEBadStorage(busy, 21));
    if (static_cast<unsigned long long>(st.st_size) > UINT32_MAX) Fail(mEMemoryAllocate(stgmsg::NoMapping, 26));
    // A read-only view never reaches past the end of the file.
    if (Size == 0 || Size > static_cast<std::uint64_t>(st.st_size)) Size = static_cast<std::uint32_t>(st.st_size);
    if (Size == 0) Fail(mEMemoryAllocate(stgmsg::ZeroLength, 25));
    MapView(PROT_READ, MAP_PRIVATE, FileHandle);
}

void mTFileLoader::OpenForSaving() {
    const std::string busy = std::string(stgmsg::ReadFile) + FileName + "\r" + stgmsg::FileBusy;
    const std::string ioError = std::string(stgmsg::ReadFile) + FileName;

    TargetPath_ = FileName;
    struct stat lst{};
    if (lstat(FileName.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        // Saving through a link replaces the file it points to, not the link.
        if (char* real = realpath(FileName.c_str(), nullptr)) {
            TargetPath_ = real;
            std::free(real);
        }
    }

    // The existing document must be writable and not in use by another program.
    bool exists = false;
    struct stat st{};
    if (stat(TargetPath_.c_str(), &st) == 0) {
        exists = true;
        if (!S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR) == 0) throw mEBadStorage(busy, 21);
        TargetLock_ = ::open(TargetPath_.c_str(), O_RDWR | O_CLOEXEC);
        if (TargetLock_ < 0) throw mEBadStorage(busy, 21);
        if (flock(TargetLock_, LOCK_EX | LOCK_NB) != 0) Fail(mEBadStorage(busy, 21));
        TargetMode_ = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        throw mEBadStorage(busy, 21);
    } else {
        TargetMode_ = 0666 & ~CurrentUmask();
    }

    if (Size == 0) Fail(mEMemoryAllocate(stgmsg::ZeroLength, 25));

    // The new document is written beside the old one and takes its place only when complete.
    std::string base = TargetPath_.substr(TargetPath_.rfind('/') == std::string::npos ? 0 : TargetPath_.rfind('/') + 1);
    std::string templ = FolderOf(TargetPath_) + "/." + base + ".XXXXXX";
    // It holds the taxpayer's data: a signal that ends the program must not leave it beside the
    // document.
    TempGuard_ = std::make_unique<TRemoveOnSignal>();
    FileHandle = TempGuard_->CreateTempFile(templ);
    if (FileHandle < 0) Fail(exists ? mEBadStorage(busy, 21) : mEBadStorage(ioError, 20));
    TempPath_ = templ;

    // The new contents are made in memory and reach the file in one write on Commit: mapping the
    // file for writing costs a page fault per page and a second flush.
    MapView(PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1);
}

void mTFileLoader::WriteBlock(std::uint32_t bytes) {
    const std::uint8_t* at = View;
    for (std::uint32_t left = bytes; left > 0;) {
        const ssize_t n = ::write(FileHandle, at, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A disk without room for the file: the file cannot be made, as error 26 says.
            if (n < 0 && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
                Fail(mEMemoryAllocate(stgmsg::NoMapping, 26));
            Fail(mEBadStorage(std::string(stgmsg::ReadFile) + FileName, 20));
        }
        at += n;
        left -= static_cast<std::uint32_t>(n);
    }
}

void mTFileLoader::WriteOut(std::uint32_t bytes) {
    if (!Opened || InMemory || ReadOnly || TempPath_.empty() || bytes > Size)
        throw mEMemoryAllocate(stgmsg::NoMemory, stgcode::BlockOverflow);
    WriteBlock(bytes);
    // The disk starts on the bytes written so far while the rest is made, so that Commit's fsync has
    // less left to wait for. Each start costs a call into the disk's driver: one per few blocks.
    unsynced_ += bytes;
    if (unsynced_ >= kStartWritebackBytes) {
        sync_file_range(FileHandle, 0, 0, SYNC_FILE_RANGE_WRITE);
        unsynced_ = 0;
    }
}

void mTFileLoader::Commit() {
    if (!Opened || InMemory || ReadOnly || TempPath_.empty()) return;
    const std::string ioError = std::string(stgmsg::ReadFile) + FileName;
    WriteBlock(Size);
    bool ok = fchmod(FileHandle, TargetMode_) == 0;
    ok = ok && fsync(FileHandle) == 0;
    if (!ok) Fail(mEBadStorage(ioError, 20));
    if (rename(TempPath_.c_str(), TargetPath_.c_str()) != 0) Fail(mEBadStorage(ioError, 20));
    TempPath_.clear();
    TempGuard_.reset(); // the new file is the document now
    int dir = ::open(FolderOf(TargetPath_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    Close();
}

void mTFileLoader::Close() {
    if (View) munmap(View, Size);
    if (FileHandle >= 0) ::close(FileHandle);
    if (!TempPath_.empty()) unlink(TempPath_.c_str());
    TempGuard_.reset();
    if (TargetLock_ >= 0) ::close(TargetLock_);
    View = nullptr;
    FileHandle = -1;
    TargetLock_ = -1;
    TempPath_.clear();
    if (Opened) {
        Opened = false;
        Size = 0;
        InMemory = false;
        ReadOnly = false;
    }
}

// =============================================================================================
// mTDocumentStorage

namespace {

constexpr std::uint32_t kHeaderSize = 60;

struct Codes {
    std::uint16_t read1, read2, readNotOpened, writeReadOnly, writeNotOpened;
};
constexpr Codes kString{91, 92, 93, 150, 151};
constexpr Codes kInteger{100, 101, 102, 160, 161};
constexpr Codes kWord{110, 111, 112, 170, 171};
constexpr Codes kCurrency{120, 121, 122, 180, 181};
constexpr Codes kDateTime{130, 131, 132, 190, 191};
constexpr Codes kByte{140, 141, 142, 200, 201};

mEBadStorage Damaged(std::uint16_t code) { return mEBadStorage(stgmsg::BadFormat, code); }

} // namespace

mTDocumentStorage::mTDocumentStorage(mTFileLoader* loader, WhenFull whenFull) : Loader(loader), whenFull_(whenFull) {
    if (loader) {
        Base = loader->View;
        Limit = loader->Size;
        ReadOnly = loader->ReadOnly;
    }
}

mTDocumentStorage::mTDocumentStorage() : ReadOnly(true) {}

std::unique_ptr<mTDocumentStorage> mTDocumentStorage::SizeCounter() {
    auto s = std::make_unique<mTDocumentStorage>(nullptr);
    s->ReadOnly = false;
    s->counting_ = true;
    s->Limit = UINT32_MAX;
    return s;
}

void mTDocumentStorage::PutField(std::uint8_t* dest, std::string_view text, std::size_t width, char fill) {
    if (width == 0 || text.empty()) return;
    if (text.size() >= width) {
        std::memcpy(dest, text.data(), width);
        return;
    }
    std::size_t pad = width - text.size();
    std::memset(dest, fill, pad);
    std::memcpy(dest + pad, text.data(), text.size());
}

void mTDocumentStorage::CreateDocument(const std::string& rootName) {
    if (!Loader && !counting_) throw mEMemoryAllocate(stgmsg::NotAllocated, 50);
    if (ReadOnly) throw mEWriteStorage(stgmsg::ReadOnlyWrite, 51);
    if (Opened || Created) throw mEAlreadyCreated(stgmsg::AlreadyCreated, 52);
    std::uint8_t h[kHeaderSize] = {};
    PutField(h, "DLSG", 4, ' ');
    PutField(h + 4, codec::Utf8ToCp1251(rootName), 20, ' ');
    PutField(h + 24, "1", 2, '0');
    PutField(h + 26, "2", 2, '0');
    PutField(h + 28, std::string(32, 'F'), 32, 'F');
    PutBytes(h, kHeaderSize);
    Opened = Created = true;
    RootName = rootName;
}

void mTDocumentStorage::OpenDocument() {
    if (Opened || Created) throw mEAlreadyCreated(stgmsg::AlreadyCreated, 69);
    // The data ends at the first zero byte: no value and no search goes past it.
    const void* zero = Base ? std::memchr(Base, 0, Limit) : nullptr;
    dataEnd_ = zero ? static_cast<std::uint32_t>(static_cast<const std::uint8_t*>(zero) - Base) : Limit;
    Cursor = 0;
    std::string_view magic = HeaderField(4);
    if (magic != "DLSG") {
        Reset();
        throw mEBadStorage(stgmsg::BadFormat, 68);
    }
    Opened = true;
    ReadHeader();
}

void mTDocumentStorage::OpenBlock(const std::uint8_t* block) {
    if (Opened || Created) throw mEAlreadyCreated(stgmsg::AlreadyCreated, 72);
    Base = const_cast<std::uint8_t*>(block);
    ReadOnly = true;
    const std::size_t len = block ? std::strlen(reinterpret_cast<const char*>(block)) : 0;
    if (len >= UINT32_MAX) throw mEMemoryAllocate(stgmsg::NoMemory, 70);
    dataEnd_ = static_cast<std::uint32_t>(len);
    Limit = dataEnd_ + 1; // the zero byte that ends the data belongs to the block
    Cursor = 0;
    if (HeaderField(4) != "DLSG") {
        Reset();
        throw mEBadStorage(stgmsg::BadFormat, 71);
    }
    Opened = true;
    ReadHeader();
}

std::string_view mTDocumentStorage::HeaderField(std::size_t width) {
    // A header field is a text that ends early at the data's end (a zero byte).
    std::uint32_t start = Cursor;
    std::uint32_t end = start >= dataEnd_ ? start : static_cast<std::uint32_t>(std::min<std::uint64_t>(dataEnd_, std::uint64_t(start) + width));
    Cursor = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t(start) + width, UINT32_MAX));
    if (end <= start) return {};
    return std::string_view(reinterpret_cast<const char*>(Base + start), end - start);
}

void mTDocumentStorage::ReadHeader() {
    Cursor = 4;
    std::string root = codec::Cp1251ToUtf8(HeaderField(20));
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!root.empty() && isBlank(root.back())) root.pop_back();
    std::size_t b = 0;
    while (b < root.size() && isBlank(root[b])) ++b;
    RootName = root.substr(b);
    Major = static_cast<std::uint16_t>(StrToInt(HeaderField(2)));
    Minor = static_cast<std::uint16_t>(StrToInt(HeaderField(2)));
    Reserved = codec::Cp1251ToUtf8(HeaderField(32));
    Cursor = kHeaderSize;
}

void mTDocumentStorage::Reset() {
    Cursor = 0;
    CurrentStream.clear();
    Opened = false;
    Created = false;
    indexBuilt_ = false;
    walkBroken_ = false;
    streamIndex_.clear();
}

void mTDocumentStorage::CreateStream(std::string_view name) {
    if (!Opened) throw mEObjectAccess(stgmsg::Uninitialized, 82);
    if (ReadOnly) throw mEWriteStorage(stgmsg::ReadOnlyWrite, 81);
    WriteString(name);
    SetCurrentStream(name);
}

// The value starting at pos: its text and the position after it. False when no whole value of
// digits-and-text stands there inside the data.
bool mTDocumentStorage::ValueAt(std::uint32_t pos, std::string_view& text, std::uint32_t& next) const {
    if (pos > dataEnd_ || dataEnd_ - pos < 4) return false;
    std::uint32_t len;
    if (!FourDigits(Base + pos, len) || dataEnd_ - pos - 4 < len) return false;
    text = std::string_view(reinterpret_cast<const char*>(Base + pos + 4), len);
    next = pos + 4 + len;
    return true;
}

void mTDocumentStorage::BuildStreamIndex() {
    indexBuilt_ = true;
    std::uint32_t pos = kHeaderSize;
    std::string_view text;
    std::uint32_t next;
    while (pos < dataEnd_) {
        if (!ValueAt(pos, text, next)) {
            walkBroken_ = true;
            break;
        }
        if (!text.empty() && text[0] == '@') streamIndex_[std::string(text)].push_back(pos);
        pos = next;
    }
}

void mTDocumentStorage::OpenStream(std::string_view name) {
    if (!Opened) throw mEObjectAccess(stgmsg::Uninitialized, 211);
    // Streams are opened in the order they were written, so the one asked for normally stands at
    // the cursor. Otherwise whole values are matched, never a part of one, first from the cursor
    // onwards and then from the first value: a text value that merely contains a stream's name, or
    // equals it but stands before the cursor, is never taken for the stream.
    std::string_view text;
    std::uint32_t next;
    const bool plain = codec::IsPlainAscii(name); // as all of our names are
    if (!plain) {
        encoded_.clear();
        codec::AppendCp1251(encoded_, name);
    }
    const std::string_view encoded = plain ? name : std::string_view(encoded_);
    if (ValueAt(Cursor, text, next) && text == encoded) {
        Cursor = next;
        SetCurrentStream(name);
        return;
    }
    auto found = [&](std::uint32_t pos) {
        ValueAt(pos, text, next);
        Cursor = next;
        SetCurrentStream(name);
    };
    if (!encoded.empty() && encoded[0] == '@') {
        if (!indexBuilt_) BuildStreamIndex();
        auto it = streamIndex_.find(std::string(encoded));
        if (it != streamIndex_.end()) {
            const auto& positions = it->second;
            auto after = std::lower_bound(positions.begin(), positions.end(), Cursor);
            found(after != positions.end() ? *after : positions.front());
            return;
        }
    } else {
        // Names of another form: a plain walk over the values.
        std::uint32_t first = UINT32_MAX, pos = kHeaderSize;
        while (pos < dataEnd_ && ValueAt(pos, text, next)) {
            if (text == encoded) {
                if (pos >= Cursor) {
                    found(pos);
                    return;
                }
                if (first == UINT32_MAX) first = pos;
            }
            pos = next;
        }
        if (pos < dataEnd_) walkBroken_ = true;
        if (first != UINT32_MAX) {
            found(first);
            return;
        }
    }
    if (walkBroken_) throw Damaged(stgcode::DamagedValues);
    throw mEOpenStream(stgmsg::NoStream, 210);
}

// Inlined into each reader: it runs for every value of a document.
[[gnu::always_inline]] inline std::string_view mTDocumentStorage::ReadValue(const ReadCodes& codes, bool zeroAsOne) {
    if (!Opened) throw mEObjectAccess(stgmsg::Uninitialized, codes.notOpened);
    if (Cursor > dataEnd_ || dataEnd_ - Cursor < 4) throw Damaged(stgcode::ReadPastData);
    const std::uint8_t* f = Base + Cursor;
    // Four digits, as every writer makes them, are read here; any other field by the number reader.
    std::uint32_t len;
    if (!FourDigits(f, len)) [[unlikely]]
        len = static_cast<std::uint16_t>(StrToInt(std::string_view(reinterpret_cast<const char*>(f), 4)));
    Cursor += 4;
    if (zeroAsOne && len == 0) len = 1;
    if (dataEnd_ - Cursor < len) throw Damaged(stgcode::ReadPastData);
    std::string_view text(reinterpret_cast<const char*>(Base + Cursor), len);
    Cursor += len;
    return text;
}

std::string mTDocumentStorage::ReadString() {
    std::string text;
    ReadString(text);
    return text;
}

void mTDocumentStorage::ReadString(std::string& into) {
    codec::Cp1251ToUtf8(ReadValue({kString.read1, kString.read2, kString.readNotOpened}, false), into);
}

// What the inline readers leave: a value of another form, a damaged one, an unopened block.
std::int32_t mTDocumentStorage::ReadIntegerValue() {
    return StrToInt(ReadValue({kInteger.read1, kInteger.read2, kInteger.readNotOpened}, true));
}

std::uint16_t mTDocumentStorage::ReadWordValue() {
    return static_cast<std::uint16_t>(StrToInt(ReadValue({kWord.read1, kWord.read2, kWord.readNotOpened}, true)));
}

std::uint8_t mTDocumentStorage::ReadByteValue() {
    return static_cast<std::uint8_t>(StrToInt(ReadValue({kByte.read1, kByte.read2, kByte.readNotOpened}, true)));
}

Currency mTDocumentStorage::ReadCurrencyValue() {
    std::string_view text = ReadValue({kCurrency.read1, kCurrency.read2, kCurrency.readNotOpened}, true);
    if (text == "a") return Currency::FromInt(-1);
    Currency c;
    if (Currency::TryParse(text, '.', c)) return c;
    return Currency::Parse(text, ',');
}

TDateTime mTDocumentStorage::ReadDateTime() {
    std::string text(ReadValue({kDateTime.read1, kDateTime.read2, kDateTime.readNotOpened}, true));
    const bool dateText = Version() < 65538u; // before version 1.2 dates are stored as date texts
    try {
        return dateText ? StrToDate(text, '.') : StrToFloat(text, '.');
    } catch (const EConvertError&) {
        return dateText ? StrToDate(text, ',') : StrToFloat(text, ',');
    }
}

void mTDocumentStorage::WriteOutBlock() {
    Loader->WriteOut(Cursor - Origin);
    Base = Loader->View;
    Origin = Cursor;
    Limit = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t(Origin) + Loader->Size, UINT32_MAX));
}

void mTDocumentStorage::MakeRoom(std::uint64_t end) {
    if (whenFull_ == WhenFull::WriteOut) {
        WriteOutBlock();
    } else if (whenFull_ == WhenFull::Grow) {
        // Doubling keeps the number of moves small; the block keeps a zero byte after the data.
        const std::uint64_t size = std::max<std::uint64_t>(end + 1, std::uint64_t(Limit) * 2);
        if (size > UINT32_MAX) throw mEMemoryAllocate(stgmsg::NoMemory, stgcode::BlockOverflow);
        Loader->Resize(static_cast<std::uint32_t>(size));
        Base = Loader->View;
        Limit = Loader->Size;
    }
    if (end > Limit) throw mEMemoryAllocate(stgmsg::NoMemory, stgcode::BlockOverflow);
}

void mTDocumentStorage::PutBytes(const void* bytes, std::size_t n) {
    if (PassesThrough(n)) return PassThrough(static_cast<const std::uint8_t*>(bytes), n);
    if (std::uint8_t* at = Room(n)) std::memcpy(at, bytes, n);
    Cursor += static_cast<std::uint32_t>(n);
}

void mTDocumentStorage::PassThrough(const std::uint8_t* bytes, std::size_t n) {
    while (n > 0) {
        if (Cursor - Origin == Loader->Size) WriteOutBlock();
        const std::size_t part = std::min<std::size_t>(n, Loader->Size - (Cursor - Origin));
        std::memcpy(Base + (Cursor - Origin), bytes, part);
        bytes += part;
        n -= part;
        Cursor += static_cast<std::uint32_t>(part);
    }
}

void mTDocumentStorage::WriteValue(std::string_view encoded, std::uint16_t readOnlyCode, std::uint16_t notOpenedCode) {
    Writable(readOnlyCode, notOpenedCode);
    const std::size_t len = encoded.size();
    if (len > 9999) throw mEWriteStorage(stgmsg::TextTooLong, stgcode::TextTooLong);
    if (PassesThrough(4 + len)) [[unlikely]] {
        std::uint8_t digits[4];
        PutLength(digits, len);
        PassThrough(digits, 4);
        PassThrough(reinterpret_cast<const std::uint8_t*>(encoded.data()), len);
        return;
    }
    if (std::uint8_t* at = Room(4 + len)) {
        PutLength(at, len);
        if (len) std::memcpy(at + 4, encoded.data(), len);
    }
    Cursor += static_cast<std::uint32_t>(4 + len);
}

// What a number's inline write leaves: a block that cannot be written (the error), a counter, or a
// block without room for it (made by WriteValue).
template <class N>
void mTDocumentStorage::WriteNumber(N value, std::uint16_t readOnlyCode, std::uint16_t notOpenedCode) {
    char text[kMaxNumberChars];
    const auto end = std::to_chars(text, text + kMaxNumberChars, value).ptr;
    WriteValue(std::string_view(text, static_cast<std::size_t>(end - text)), readOnlyCode, notOpenedCode);
}

// What a text's inline write leaves: a text of other than plain ASCII characters, a block that cannot
// be written (the error), a counter, or a block without room for it.
void mTDocumentStorage::WriteStringValue(std::string_view text) {
    Writable(kString.writeReadOnly, kString.writeNotOpened);
    const bool plain = codec::IsPlainAscii(text);
    // The Windows-1251 form is never longer than the text: where the block has room for the text
    // itself, it is encoded in place.
    if (!plain && PutInPlace(text.size(), [&](char* out) {
            try {
                return static_cast<std::size_t>(codec::PutCp1251(out, text) - out);
            } catch (...) {
                std::memset(out - 4, 0, 4 + text.size()); // a block in memory stays zero after its data
                throw;
            }
        }))
        return;
    if (plain) return WriteValue(text, kString.writeReadOnly, kString.writeNotOpened);
    encoded_.clear();
    codec::AppendCp1251(encoded_, text);
    WriteValue(encoded_, kString.writeReadOnly, kString.writeNotOpened);
}

void mTDocumentStorage::WriteIntegerValue(std::int32_t value) {
    WriteNumber(value, kInteger.writeReadOnly, kInteger.writeNotOpened);
}

void mTDocumentStorage::WriteWordValue(std::uint16_t value) {
    WriteNumber(unsigned{value}, kWord.writeReadOnly, kWord.writeNotOpened);
}

void mTDocumentStorage::WriteByteValue(std::uint8_t value) {
    WriteNumber(unsigned{value}, kByte.writeReadOnly, kByte.writeNotOpened);
}

void mTDocumentStorage::WriteCurrencyValue(Currency value) {
    char text[Currency::kMaxChars];
    WriteValue(std::string_view(text, value.ToChars(text, '.')), kCurrency.writeReadOnly, kCurrency.writeNotOpened);
}

void mTDocumentStorage::WriteDateTime(TDateTime value) {
    WriteValue(FloatToStr(value, '.'), kDateTime.writeReadOnly, kDateTime.writeNotOpened);
}
