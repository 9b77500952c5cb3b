// Unmaps a view of a file mapping when its owner goes.
#pragma once

#include <windows.h>

class MappedView {
public:
    explicit MappedView(const void* view) : view_(view) {}
    ~MappedView()
    {
        if (view_ != nullptr)
            UnmapViewOfFile(view_);
    }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;

    const BYTE* Bytes() const { return static_cast<const BYTE*>(view_); }

private:
    const void* view_;
};
