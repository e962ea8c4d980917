// Fuzz target: any bytes, read as a document file, as a memory block and as the block handed to
// the report library, must either load or fail with an exception; never crash, hang or read out
// of bounds.
#include "model/DeclClasses.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
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

void ReadAll(mTDocumentStorage& s) {
    mTDeclaration d;
    d.ReadDocument(s);
    // Whatever was read can be measured and written again.
    auto block = mTFileLoader::CreateInMemory(d.GetDocumentSize());
    d.SaveDocument(*block);
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
