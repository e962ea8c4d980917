#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "model/DeclClasses.h"
#include "platform/RemoveOnSignal.h"
#include "storage/StgClasses.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using testutil::ReadFile;
using testutil::WriteFile;

namespace {

class Loader : public testutil::TempDir {
protected:
    // Holds the file open and locked as another program would.
    struct Holder {
        explicit Holder(const std::string& path) {
            fd = ::open(path.c_str(), O_RDWR);
            EXPECT_GE(fd, 0);
            EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
        }
        ~Holder() { ::close(fd); }
        int fd;
    };
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
    }
};

int gSignal = 0;
void RaiseTheSignal(int) { raise(gSignal); }
void RaiseTheSignalOnCreation(const char*) { raise(gSignal); }

// Saves, and raises the signal as soon as the save's new file is made (writtenBytes < 0) or when the
// save writes past that many bytes of it: a write past the file size limit raises SIGXFSZ in the
// writing call, and its handler raises the signal there.
void SaveEndedBySignal(const mTDeclaration& d, const std::string& path, int sig, long writtenBytes) {
    gSignal = sig;
    if (writtenBytes < 0) {
        TRemoveOnSignal::AfterTempFileCreated = RaiseTheSignalOnCreation;
    } else {
        struct sigaction a {};
        a.sa_handler = RaiseTheSignal;
        sigaction(SIGXFSZ, &a, nullptr);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(writtenBytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    d.SaveToFile(path);
}

} // namespace

TEST_F(Loader, MemoryBlockIsZeroFilled) {
    auto l = mTFileLoader::CreateInMemory(1000);
    ASSERT_TRUE(l->Opened);
    EXPECT_TRUE(l->InMemory);
    EXPECT_EQ(l->Size, 1000u);
    for (std::uint32_t i = 0; i < l->Size; ++i) ASSERT_EQ(l->View[i], 0);
    EXPECT_THROW(mTFileLoader::CreateInMemory(0), mEMemoryAllocate);
}

TEST_F(Loader, MemoryBlockTakesANewSize) {
    auto l = mTFileLoader::CreateInMemory(10);
    std::memcpy(l->View, "0123456789", 10);
    auto bytes = [&] { return std::string(reinterpret_cast<char*>(l->View), l->Size); };
    l->Resize(100000);
    EXPECT_EQ(bytes(), "0123456789" + std::string(100000 - 10, '\0'));
    l->Resize(4);
    EXPECT_EQ(bytes(), "0123");
    l->Resize(8); // what was cut off does not come back
    EXPECT_EQ(bytes(), std::string("0123\0\0\0\0", 8));

    WriteFile(Path("doc.vrq"), "DLSG");
    mTFileLoader read(Path("doc.vrq"), true, 0);
    EXPECT_THROW(read.Resize(8), mEMemoryAllocate);
    EXPECT_EQ(read.Size, 4u);
}

TEST_F(Loader, MissingFileIsNotCreated) {
    const std::string path = Path("missing.vrq");
    try {
        mTFileLoader l(path, true, 0);
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode, 20);
        EXPECT_EQ(std::string(e.what()), "Ошибка чтения файла: " + path);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(Loader, EmptyFileCannotBeMapped) {
    WriteFile(Path("empty.vrq"), "");
    try {
        mTFileLoader l(Path("empty.vrq"), true, 0);
        FAIL();
    } catch (const mEMemoryAllocate& e) {
        EXPECT_EQ(e.ErrorCode, 25);
        EXPECT_STREQ(e.what(), "Создаваемый фаил отображения не может быть нулевой длины.");
    }
}

TEST_F(Loader, FileInUseByAnotherProgram) {
    const std::string path = Path("busy.vrq");
    WriteFile(path, "DLSG");
    Holder other(path);
    for (bool readOnly : {true, false}) {
        try {
            mTFileLoader l(path, readOnly, readOnly ? 0 : 10);
            FAIL();
        } catch (const mEBadStorage& e) {
            EXPECT_EQ(e.ErrorCode, 21);
            EXPECT_EQ(std::string(e.what()),
                      "Ошибка чтения файла: " + path + "\rВозможно он занят, или с признаком 'read only'");
        }
    }
    EXPECT_EQ(ReadFile(path), "DLSG");
}

TEST_F(Loader, SavingCreatesAFileOfExactlyTheSize) {
    const std::string path = Path("new.vrq");
    {
        mTFileLoader l(path, false, 100);
        std::memcpy(l.View, "DLSG", 4);
        l.Commit();
    }
    const std::string bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 4), "DLSG");
    EXPECT_EQ(bytes.substr(4), std::string(96, '\0'));
    EXPECT_EQ(FilesInDir(), 1u);
}

// A document many times the block passes through it into the file: the file holds the bytes of a
// block of the whole document, however the values fall on the block's end.
TEST_F(Loader, SavingWritesOutAFullBlockAndFillsItAgain) {
    auto write = [](mTDocumentStorage& s) {
        s.CreateDocument("Velmarod");
        for (int i = 0; i < 500; ++i) {
            s.CreateStream("@Line" + std::to_string(i));
            s.WriteString(std::string(static_cast<std::size_t>(i % 90), 'x') + "Доход");
            s.WriteCurrency(Currency::FromRaw(i * 12345));
        }
    };
    auto whole = mTFileLoader::CreateInMemory(100000);
    mTDocumentStorage w(whole.get());
    write(w);
    const std::string path = Path("doc.vrq");
    WriteFile(path, "old contents");
    {
        mTFileLoader l(path, false, 128);
        mTDocumentStorage s(&l, mTDocumentStorage::WhenFull::WriteOut);
        write(s);
        ASSERT_EQ(s.Cursor, w.Cursor);
        EXPECT_GT(s.Origin, 0u);
        EXPECT_EQ(ReadFile(path), "old contents"); // nothing replaces it before Commit
        l.Resize(s.Cursor - s.Origin);
        l.Commit();
    }
    EXPECT_EQ(ReadFile(path), std::string(reinterpret_cast<char*>(whole->View), w.Cursor));
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(Loader, AnUnfinishedSaveLeavesTheOldFile) {
    const std::string path = Path("doc.vrq");
    WriteFile(path, "old contents");
    {
        mTFileLoader l(path, false, 50);
        std::memcpy(l.View, "new", 3);
        // destroyed without Commit: the save failed half-way
    }
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(FilesInDir(), 1u);
}

// A file size limit stands in for a full disk: the bytes cannot all be written. A small document
// fails on its one write; a large one on its first block or on a later one.
TEST_F(Loader, SaveThatCannotBeWrittenKeepsTheOldFile) {
    struct SizeLimit {
        explicit SizeLimit(rlim_t bytes) {
            getrlimit(RLIMIT_FSIZE, &old);
            const rlimit small{bytes, old.rlim_max};
            setrlimit(RLIMIT_FSIZE, &small);
            oldSignal = signal(SIGXFSZ, SIG_IGN);
        }
        ~SizeLimit() {
            setrlimit(RLIMIT_FSIZE, &old);
            signal(SIGXFSZ, oldSignal);
        }
        rlimit old{};
        sighandler_t oldSignal;
    };
    const struct {
        int sources;
        rlim_t limit;
    } cases[] = {{2, 1000}, {300, 1000}, {300, 200 * 1024}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        const std::string path = Path("doc.vrq");
        WriteFile(path, "old contents");
        mTDeclaration d;
        sample::Fill(d, c.sources, 12);
        {
            SizeLimit limit(c.limit);
            try {
                d.SaveToFile(path);
                ADD_FAILURE() << "saved past the limit";
            } catch (const mEMemoryAllocate& e) {
                EXPECT_EQ(e.ErrorCode, 26); // as a disk without room for the file always was
            }
        }
        EXPECT_EQ(ReadFile(path), "old contents");
        EXPECT_EQ(FilesInDir(), 1u);
    }
}

// A document of many blocks is the same whether it passes through the file's blocks or is made in
// memory, and saving it again gives the same file.
TEST_F(Loader, LargeDocumentSavedThroughBlocksIsWhole) {
    const std::string path = Path("doc.vrq");
    mTDeclaration d;
    sample::Fill(d, 300, 12, 100, 20);
    d.SaveToFile(path);
    auto block = d.SaveToMemory();
    const std::string memory(reinterpret_cast<const char*>(block->View));
    ASSERT_GT(memory.size(), 256u * 1024); // more than two blocks
    std::string file = ReadFile(path);
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(file.back(), '\0');
    file.pop_back();
    EXPECT_EQ(file, memory);
    mTDeclaration back;
    back.LoadFromFile(path);
    back.SaveToFile(path);
    EXPECT_EQ(ReadFile(path), file + std::string(1, '\0'));
    EXPECT_EQ(FilesInDir(), 1u);
}

// A save ended by SIGTERM or SIGINT leaves nothing beside the document (the new file holds the
// taxpayer's data), and the document stays as it was.
TEST_F(Loader, SaveEndedByASignalLeavesOnlyTheOldDocument) {
    const std::string path = Path("doc.vrq");
    mTDeclaration old;
    old.Person.Name.SurName = "Прежний";
    old.SaveToFile(path);
    const std::string before = ReadFile(path);
    mTDeclaration d;
    sample::Fill(d, 300, 12, 100, 20);
    const long size = d.GetDocumentSize();
    ASSERT_GT(size, 2L * mTDeclaration::FileBlockSize); // written out twice before the last block
    const struct {
        const char* name;
        long writtenBytes;
    } moments[] = {
        {"as soon as the new file is made", -1},
        {"at its first block", 0},
        {"at a later block", mTDeclaration::FileBlockSize + 1000},
        {"at its last byte", size - 1},
    };
    for (int sig : {SIGTERM, SIGINT}) {
        for (const auto& m : moments) {
            SCOPED_TRACE(std::string(m.name) + ", signal " + std::to_string(sig));
            EXPECT_EXIT(SaveEndedBySignal(d, path, sig, m.writtenBytes), testing::KilledBySignal(sig), "");
            EXPECT_EQ(ReadFile(path), before);
            EXPECT_EQ(FilesInDir(), 1u);
        }
    }
}

TEST_F(Loader, SaveKeepsTheFilesPermissions) {
    const std::string path = Path("doc.vrq");
    WriteFile(path, "old");
    chmod(path.c_str(), 0640);
    mTDeclaration d;
    d.SaveToFile(path);
    struct stat st{};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_size, static_cast<off_t>(d.GetDocumentSize()));
}

TEST_F(Loader, SaveOverAFileInUseFailsAndKeepsIt) {
    const std::string path = Path("doc.vrq");
    WriteFile(path, "old contents");
    Holder other(path);
    mTDeclaration d;
    try {
        d.SaveToFile(path);
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode, 21);
        EXPECT_EQ(e.PlaceCode, 389);
    }
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(Loader, SaveOverAReadOnlyFileFails) {
    const std::string path = Path("doc.vrq");
    WriteFile(path, "old contents");
    chmod(path.c_str(), 0444);
    mTDeclaration d;
    try {
        d.SaveToFile(path);
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode, 21);
        EXPECT_EQ(e.PlaceCode, 389);
    }
    EXPECT_EQ(ReadFile(path), "old contents");
}

TEST_F(Loader, SaveIntoAMissingFolderFails) {
    mTDeclaration d;
    try {
        d.SaveToFile(Path("no/such/folder.vrq"));
        FAIL();
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.ErrorCode, 20);
        EXPECT_EQ(e.PlaceCode, 389);
    }
}

TEST_F(Loader, SaveThroughALinkReplacesTheTarget) {
    const std::string target = Path("real.vrq"), link = Path("link.vrq");
    WriteFile(target, "old");
    std::filesystem::create_symlink(target, link);
    mTDeclaration d;
    d.SaveToFile(link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target).size(), d.GetDocumentSize());
}
