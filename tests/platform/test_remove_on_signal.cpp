#include "../TestUtil.h"
#include "platform/RemoveOnSignal.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class RemoveOnSignal : public testutil::TempDir {};

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

void (*Handler(int sig))(int) {
    struct sigaction a {};
    sigaction(sig, nullptr, &a);
    return a.sa_handler;
}

int gCalls = 0;
void Count(int) { ++gCalls; }

int gSignal = 0;
void RaiseTheSignal(const char*) { raise(gSignal); }

} // namespace

// Ended by the signal, as it would have been without the guard, with the file gone.
TEST_F(RemoveOnSignal, TheSignalRemovesTheFileAndStillEndsTheProcess) {
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        const std::string path = Path("spool");
        testutil::WriteFile(path, "the taxpayer's pages");
        EXPECT_EXIT(
            {
                const TRemoveOnSignal guard({path});
                raise(sig);
            },
            testing::KilledBySignal(sig), "");
        EXPECT_FALSE(Exists(path));
    }
}

// The handling the process had comes back when the last guard ends, and runs after the file is gone.
TEST_F(RemoveOnSignal, ThePreviousHandlingRunsAndComesBack) {
    const std::string outer = Path("outer"), inner = Path("inner");
    testutil::WriteFile(outer, "x");
    testutil::WriteFile(inner, "x");
    signal(SIGTERM, Count);
    gCalls = 0;
    {
        const TRemoveOnSignal a({outer});
        {
            const TRemoveOnSignal b({inner});
            EXPECT_NE(Handler(SIGTERM), Count);
        }
        EXPECT_NE(Handler(SIGTERM), Count); // one guard still lives
        raise(SIGTERM);
        EXPECT_EQ(gCalls, 1);
        EXPECT_FALSE(Exists(outer));
        EXPECT_TRUE(Exists(inner)); // its guard had ended
    }
    EXPECT_EQ(Handler(SIGTERM), Count);
    signal(SIGTERM, SIG_DFL);
}

// A signal the process ignores ends nothing, so it removes nothing.
TEST_F(RemoveOnSignal, AnIgnoredSignalIsLeftAlone) {
    const std::string path = Path("kept");
    testutil::WriteFile(path, "x");
    signal(SIGINT, SIG_IGN);
    {
        const TRemoveOnSignal guard({path});
        EXPECT_EQ(Handler(SIGINT), SIG_IGN);
        raise(SIGINT);
    }
    EXPECT_TRUE(Exists(path));
    signal(SIGINT, SIG_DFL);
}

TEST_F(RemoveOnSignal, FilesOpenedForWritingAreFound) {
    testutil::WriteFile(Path("before"), "x");
    testutil::WriteFile(Path("read"), "x");
    const int early = open(Path("before").c_str(), O_WRONLY);
    int written = -1, read = -1;
    const std::vector<std::string> found = WritableFilesOpenedBy([&] {
        written = open(Path("new").c_str(), O_RDWR | O_CREAT, 0600);
        read = open(Path("read").c_str(), O_RDONLY);
    });
    EXPECT_EQ(found, std::vector<std::string>{std::filesystem::canonical(Path("new")).string()});
    for (int fd : {early, written, read}) close(fd);
}

// A file made by the guard is kept from the moment it exists: a signal right after it is made
// finds its name already there.
TEST_F(RemoveOnSignal, AFileMadeByTheGuardGoesWithASignalFromItsFirstMoment) {
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        EXPECT_EXIT(
            {
                gSignal = sig;
                TRemoveOnSignal::AfterTempFileCreated = RaiseTheSignal;
                TRemoveOnSignal guard;
                std::string name = Path(".doc.vrq.XXXXXX");
                guard.CreateTempFile(name);
            },
            testing::KilledBySignal(sig), "");
        EXPECT_TRUE(std::filesystem::is_empty(dir));
    }
}

TEST_F(RemoveOnSignal, MadeFilesAreNewPrivateAndNamedByTheTemplate) {
    const mode_t oldMask = umask(022);
    TRemoveOnSignal guard;
    std::string first = Path(".doc.vrq.XXXXXX"), second = first;
    const int a = guard.CreateTempFile(first), b = guard.CreateTempFile(second);
    umask(oldMask);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_NE(first, second);
    for (const std::string& name : {first, second}) {
        EXPECT_EQ(name.substr(0, name.size() - 6), Path(".doc.vrq."));
        EXPECT_NE(name, Path(".doc.vrq.XXXXXX"));
        struct stat st {};
        ASSERT_EQ(stat(name.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        EXPECT_EQ(st.st_size, 0);
    }
    EXPECT_EQ(fcntl(a, F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
    close(a);
    close(b);

    std::string noPlace = Path("doc.vrq");
    errno = 0;
    EXPECT_EQ(guard.CreateTempFile(noPlace), -1);
    EXPECT_EQ(errno, EINVAL);
    std::string missingFolder = Path("no/such/.doc.XXXXXX");
    EXPECT_EQ(guard.CreateTempFile(missingFolder), -1);
    EXPECT_EQ(errno, ENOENT);
}
