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
    explicit TRemoveOnSignal(const std::vector<std::string>& paths);
    ~TRemoveOnSignal();
    TRemoveOnSignal(const TRemoveOnSignal&) = delete;
    TRemoveOnSignal& operator=(const TRemoveOnSignal&) = delete;

private:
    std::vector<int> slots_;
};

// The regular files that `call` opened for writing and left open, by their paths: the file a
// library makes for itself and names nowhere (the spool file of a print job) can so be guarded.
std::vector<std::string> WritableFilesOpenedBy(const std::function<void()>& call);
