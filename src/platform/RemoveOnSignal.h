// Files that hold a taxpayer's data only for a moment (a file written under a temporary name, a
// printer's spool file) and must not outlive the process when it is ended by SIGTERM or SIGINT.
#pragma once

#include <functional>
#include <string>
#include <vector>

// While the guard lives, SIGTERM and SIGINT first remove its files and then end the process as
// they would have without it: the previous handlers are put back and the signal raised again. The
// handlers are installed while at least one guard lives and restored when the last one ends; a
// signal the process ignores is left alone, since it ends nothing. Guards are made in one thread.
// Removing the files on every other way out stays the owner's task.
class TRemoveOnSignal {
public:
    explicit TRemoveOnSignal(const std::vector<std::string>& paths = {});
    ~TRemoveOnSignal();
    // Makes a new file for the guard to remove, as mkostemp does: named by the template, whose last
    // six characters ("XXXXXX") become random letters and digits, opened for reading and writing
    // with mode 0600 (less the umask) and the descriptor closed on exec. The name is in the guard's
    // keeping before the file is made, so no signal finds the file without it. Result: the
    // descriptor and the file's name in templ; -1 with errno when no file could be made.
    int CreateTempFile(std::string& templ);
    TRemoveOnSignal(const TRemoveOnSignal&) = delete;
    TRemoveOnSignal& operator=(const TRemoveOnSignal&) = delete;

    // For tests: run right after CreateTempFile has made a file, with its name, so that a test can
    // end the process at that moment.
    static inline void (*AfterTempFileCreated)(const char* path) = nullptr;

private:
    std::vector<int> slots_;
};

// The regular files that `call` opened for writing and left open, by their paths: the file a
// library makes for itself and names nowhere (the spool file of a print job) can so be guarded.
std::vector<std::string> WritableFilesOpenedBy(const std::function<void()>& call);
