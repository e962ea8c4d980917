// Flags that a page sets around one of its actions. They are given back when the action ends in any
// way, also by an exception, so no page is left believing it is still loading or deleting.
#pragma once

#include "pagebase/MyFrame.h"

// A page flag (Creating, Deleting ...) set for the lifetime of the object.
class TScopedFlag {
public:
    explicit TScopedFlag(bool& flag, bool value = true) : flag_(flag), was_(flag) { flag_ = value; }
    ~TScopedFlag() { flag_ = was_; }
    TScopedFlag(const TScopedFlag&) = delete;
    TScopedFlag& operator=(const TScopedFlag&) = delete;

private:
    bool& flag_;
    bool was_;
};

// The main window's PageLoading while a page fills its controls: the changes that the filling
// raises mark nothing modified.
class TPageLoading {
public:
    TPageLoading() : flag_(PageHost ? &PageHost->PageLoading : nullptr), was_(flag_ && *flag_) {
        if (flag_) *flag_ = true;
    }
    ~TPageLoading() {
        if (flag_) *flag_ = was_;
    }
    TPageLoading(const TPageLoading&) = delete;
    TPageLoading& operator=(const TPageLoading&) = delete;

private:
    bool* flag_;
    bool was_;
};
