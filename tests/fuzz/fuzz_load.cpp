// Fuzz target: any bytes, read as a document file, as a memory block and as the block handed to
// the report library, must either load or fail with an exception; never crash, hang or read out
// of bounds.
#include "model/DeclClasses.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string TempFile() {
    static std::string path = [] {
        char templ[] = "/tmp/velmarod-fuzz-XXXXXX";
        int fd = mkstemp(templ);
        if (fd >= 0) close(fd);
        return std::string(templ);
    }();
    return path;
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
    const std::string path = TempFile();
    int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd >= 0) {
        ssize_t w = write(fd, data, size);
        close(fd);
        if (w == static_cast<ssize_t>(size)) {
            try {
                mTDeclaration d;
                d.LoadFromFile(path);
            } catch (const std::exception&) {
            }
        }
    }
    return 0;
}
