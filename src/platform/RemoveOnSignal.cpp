#include "platform/RemoveOnSignal.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

// The handler may only read what is already in place: fixed slots, each path complete before its
// flag is set.
constexpr int kSlots = 16;
char gPaths[kSlots][PATH_MAX];
std::atomic<bool> gUsed[kSlots];
static_assert(std::atomic<bool>::is_always_lock_free, "read from a signal handler");

constexpr int kSignals[] = {SIGTERM, SIGINT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];
struct sigaction gPrevious[kSignalCount];
bool gInstalled[kSignalCount];
int gGuards = 0;

void RemoveAndRaise(int sig) {
    for (int i = 0; i < kSlots; ++i)
        if (gUsed[i].load()) unlink(gPaths[i]);
    for (int k = 0; k < kSignalCount; ++k)
        if (kSignals[k] == sig) sigaction(sig, &gPrevious[k], nullptr);
    // Blocked while this handler runs: delivered to the previous handling as soon as it returns.
    raise(sig);
}

void Install() {
    for (int k = 0; k < kSignalCount; ++k) {
        gInstalled[k] = false;
        if (sigaction(kSignals[k], nullptr, &gPrevious[k]) != 0) continue;
        if (!(gPrevious[k].sa_flags & SA_SIGINFO) && gPrevious[k].sa_handler == SIG_IGN) continue;
        struct sigaction a {};
        a.sa_handler = RemoveAndRaise;
        sigfillset(&a.sa_mask);
        a.sa_flags = SA_RESTART;
        gInstalled[k] = sigaction(kSignals[k], &a, nullptr) == 0;
    }
}

void Restore() {
    for (int k = 0; k < kSignalCount; ++k)
        if (gInstalled[k]) sigaction(kSignals[k], &gPrevious[k], nullptr);
}

int FreeSlot() {
    for (int i = 0; i < kSlots; ++i)
        if (!gUsed[i].load()) return i;
    return -1;
}

// Six random letters and digits for a file's name.
void RandomName(char* out) {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char r[6];
    if (getrandom(r, sizeof r, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof r)) {
        // No entropy yet (early at boot): the clock, the process and a count still differ.
        static unsigned long count = 0;
        timespec t{};
        clock_gettime(CLOCK_REALTIME, &t);
        unsigned long long v = static_cast<unsigned long long>(t.tv_nsec) ^ (static_cast<unsigned long long>(t.tv_sec) << 20) ^
                               (static_cast<unsigned long long>(getpid()) << 40) ^ (++count * 0x9E3779B97F4A7C15ull);
        for (unsigned char& b : r) {
            v = v * 6364136223846793005ull + 1442695040888963407ull;
            b = static_cast<unsigned char>(v >> 56);
        }
    }
    for (int i = 0; i < 6; ++i) out[i] = kChars[r[i] % (sizeof kChars - 1)];
}

std::vector<int> OpenDescriptors() {
    std::vector<int> fds;
    DIR* d = opendir("/proc/self/fd");
    if (!d) return fds;
    while (const dirent* e = readdir(d)) {
        if (e->d_name[0] < '0' || e->d_name[0] > '9') continue;
        const int fd = std::atoi(e->d_name);
        if (fd != dirfd(d)) fds.push_back(fd);
    }
    closedir(d);
    std::sort(fds.begin(), fds.end());
    return fds;
}

} // namespace

TRemoveOnSignal::TRemoveOnSignal(const std::vector<std::string>& paths) {
    if (gGuards++ == 0) Install();
    for (const std::string& path : paths) {
        if (path.empty() || path.size() >= PATH_MAX) continue;
        for (int i = 0; i < kSlots; ++i) {
            if (gUsed[i].load()) continue;
            std::memcpy(gPaths[i], path.c_str(), path.size() + 1);
            gUsed[i].store(true);
            slots_.push_back(i);
            break;
        }
    }
}

int TRemoveOnSignal::CreateTempFile(std::string& templ) {
    constexpr std::size_t kRandom = 6;
    if (templ.size() < kRandom || templ.compare(templ.size() - kRandom, kRandom, "XXXXXX") != 0) {
        errno = EINVAL;
        return -1;
    }
    if (templ.size() >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return -1;
    }
    // With every place taken the file is still made, unguarded, as before there were guards.
    const int slot = FreeSlot();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        RandomName(templ.data() + templ.size() - kRandom);
        if (slot >= 0) {
            std::memcpy(gPaths[slot], templ.c_str(), templ.size() + 1);
            gUsed[slot].store(true);
        }
        const int fd = ::open(templ.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            if (slot >= 0) slots_.push_back(slot);
            if (AfterTempFileCreated) AfterTempFileCreated(templ.c_str());
            return fd;
        }
        // Not made: the name, perhaps another's file, is dropped before anything else happens.
        const int error = errno;
        if (slot >= 0) gUsed[slot].store(false);
        errno = error;
        if (error != EEXIST) return -1;
    }
    return -1;
}

TRemoveOnSignal::~TRemoveOnSignal() {
    for (int i : slots_) gUsed[i].store(false);
    if (--gGuards == 0) Restore();
}

std::vector<std::string> WritableFilesOpenedBy(const std::function<void()>& call) {
    const std::vector<int> before = OpenDescriptors();
    call();
    std::vector<std::string> files;
    for (int fd : OpenDescriptors()) {
        if (std::binary_search(before.begin(), before.end(), fd)) continue;
        struct stat st {};
        const int flags = fcntl(fd, F_GETFL);
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink == 0 || flags < 0 || (flags & O_ACCMODE) == O_RDONLY) continue;
        char path[PATH_MAX];
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t n = readlink(link.c_str(), path, sizeof path - 1);
        if (n <= 0 || path[0] != '/') continue;
        path[n] = '\0';
        files.emplace_back(path);
    }
    return files;
}
