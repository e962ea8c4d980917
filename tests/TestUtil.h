// Helpers shared by the core tests: a private temporary folder, whole-file reads and writes, and
// containers opened over bytes made by hand.
#pragma once

#include "storage/StgClasses.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>

namespace testutil {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The 60-byte header of a document with the given root name and version.
inline std::string Header(const std::string& root = "Velmarod", const std::string& version = "0102") {
    return "DLSG" + std::string(20 - root.size(), ' ') + root + version + std::string(32, 'F');
}

// A read container over a copy of the bytes (followed by a zero byte), header already read.
struct OpenedBlock {
    std::unique_ptr<mTFileLoader> loader;
    std::unique_ptr<mTDocumentStorage> storage;
};

inline OpenedBlock OpenBytes(const std::string& bytes) {
    OpenedBlock b;
    b.loader = mTFileLoader::CreateInMemory(static_cast<std::uint32_t>(bytes.size() + 1));
    std::memcpy(b.loader->View, bytes.data(), bytes.size());
    b.storage = std::make_unique<mTDocumentStorage>(b.loader.get());
    b.storage->OpenDocument();
    return b;
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        char templ[] = "/tmp/velmarod-test-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const std::string& name) const { return dir + "/" + name; }
    std::string dir;
};

} // namespace testutil
