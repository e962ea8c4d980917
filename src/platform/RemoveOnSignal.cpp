#include "platform/RemoveOnSignal.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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
