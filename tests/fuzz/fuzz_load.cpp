// Fuzz target: any bytes, read as a document file, as a memory block and as the block handed to
// the report library, must either load or fail with an exception; never crash, hang or read out
// of bounds. Whatever loads is saved again through every path the program writes a document by,
// and all of them must give the same bytes: the document and the zero byte that ends it.
#include "model/DeclClasses.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The document file the loader opens by its name. The name goes as soon as the file is made: the
// file lives on through the descriptor kept here and goes with the process however the fuzzer
// ends (a crash, a timeout and an interrupt included), so nothing stays in the temporary folder.
int DocumentFile() {
    static const int fd = [] {
        char templ[] = "/tmp/velmarod-fuzz-XXXXXX";
        const int made = mkstemp(templ);
        if (made >= 0) unlink(templ);
        return made;
    }();
    return fd;
}

std::string ReadWhole(const std::string& path) {
    std::string bytes;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;
    char buf[65536];
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) bytes.append(buf, static_cast<std::size_t>(n));
    close(fd);
    return bytes;
}

// A save needs a folder to put its new file in beside the document. It is made for one save and
// removed right after it, so that only a crash in between leaves it; in memory where the system has
// such a folder, since every save waits for the disk.
std::optional<std::string> SavedFile(const mTDeclaration& d, std::uint32_t blockSize) {
    static const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string dir = base + "/velmarod-fuzz-save-XXXXXX";
    if (!mkdtemp(dir.data())) return std::nullopt;
    const std::string path = dir + "/doc.vrq";
    std::optional<std::string> bytes;
    try {
        d.SaveToFile(path, blockSize);
        bytes = ReadWhole(path);
    } catch (const std::exception&) {
    }
    unlink(path.c_str());
    rmdir(dir.c_str());
    return bytes;
}

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

[[noreturn]] void Differs(const char* path, const std::optional<std::string>& got, const std::string& expected) {
    if (!got) std::fprintf(stderr, "%s failed where the block of the counted size was written\n", path);
    else
        std::fprintf(stderr, "%s gave %zu bytes, the block of the counted size %zu; first difference at %zu\n", path,
                     got->size(), expected.size(),
                     static_cast<std::size_t>(std::mismatch(got->begin(), got->end(), expected.begin(), expected.end()).first -
                                              got->begin()));
    std::abort();
}

// Every way the program writes a document: the block of the counted size (what the report tests
// hand over), the hand-over block that grows, and the file through the program's block and through
// small blocks written out many times.
void SaveEveryWay(const mTDeclaration& d) {
    std::optional<std::string> exact;
    try {
        auto block = mTFileLoader::CreateInMemory(d.GetDocumentSize());
        d.SaveDocument(*block);
        exact.emplace(reinterpret_cast<const char*>(block->View), block->Size);
    } catch (const std::exception&) {
    }
    std::optional<std::string> handed;
    try {
        auto block = d.SaveToMemory();
        handed.emplace(reinterpret_cast<const char*>(block->View), block->Size);
    } catch (const std::exception&) {
    }
    if (!exact) {
        // Nothing the program would write (a text it refuses); then no path may write it either.
        if (handed) Fault("the block of the counted size failed where the hand-over block was written");
        return;
    }
    if (exact->find('\0') != exact->size() - 1) Fault("the block of the counted size does not end in its only zero byte");
    // The hand-over block may be larger than the document: only zeros follow it then.
    if (handed && handed->size() > exact->size()) {
        if (handed->find_first_not_of('\0', exact->size()) != std::string::npos)
            Fault("the hand-over block holds bytes after the document's zero byte");
        handed->resize(exact->size());
    }
    if (handed != exact) Differs("the hand-over block", handed, *exact);
    const std::uint32_t small = 1 + static_cast<std::uint32_t>(exact->size() * 7919 % 97);
    for (std::uint32_t blockSize : {mTDeclaration::FileBlockSize, small}) {
        const std::optional<std::string> file = SavedFile(d, blockSize);
        if (file != exact) Differs(blockSize == small ? "the file through small blocks" : "the file", file, *exact);
    }
}

void ReadAll(mTDocumentStorage& s) {
    mTDeclaration d;
    d.ReadDocument(s);
    // Whatever was read can be measured and written again, the same way every time.
    SaveEveryWay(d);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > (1u << 20)) return 0;

    // A memory block exactly as long as the bytes: no zero byte ends the data.
    try {
        auto loader = mTFileLoader::CreateInMemory(static_cast<std::uint32_t>(size));
        std::memcpy(loader->View, data, size);
        mTDocumentStorage s(loader.get());
        s.OpenDocument();
        ReadAll(s);
    } catch (const std::exception&) {
    }

    // The report library's block: the bytes up to a zero byte.
    try {
        std::vector<std::uint8_t> block(data, data + size);
        block.push_back(0);
        mTDocumentStorage s;
        s.OpenBlock(block.data());
        ReadAll(s);
    } catch (const std::exception&) {
    }

    // A document file.
    const int fd = DocumentFile();
    if (fd >= 0 && ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size)) {
        try {
            mTDeclaration d;
            d.LoadFromFile("/proc/self/fd/" + std::to_string(fd));
        } catch (const std::exception&) {
        }
    }
    return 0;
}
