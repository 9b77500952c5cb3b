// An array of plain elements in heap memory of its own, with one zero
// element past its end, so that text held in it is terminated. The shipped
// programs use it where a standard container would link the C++ library's
// exception support into them: a failed allocation is a result here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

template <class T> class HeapArray {
    static_assert(std::is_trivially_copyable<T>::value, "elements are copied as bytes");

public:
    HeapArray() = default;
    ~HeapArray() { std::free(items_); }
    HeapArray(const HeapArray &) = delete;
    HeapArray &operator=(const HeapArray &) = delete;
    HeapArray(HeapArray &&other) noexcept : items_(other.items_), size_(other.size_)
    {
        other.items_ = nullptr;
        other.size_ = 0;
    }
    HeapArray &operator=(HeapArray &&other) noexcept
    {
        if (this != &other) {
            std::free(items_);
            items_ = other.items_;
            size_ = other.size_;
            other.items_ = nullptr;
            other.size_ = 0;
        }
        return *this;
    }

    // Replaces the contents with count zero elements. False, the array then
    // empty, when there is no memory for them.
    bool Allocate(size_t count)
    {
        Clear();
        if (count >= SIZE_MAX / sizeof(T))
            return false;
        items_ = static_cast<T *>(std::calloc(count + 1, sizeof(T)));
        if (!items_)
            return false;
        size_ = count;
        return true;
    }

    // Keeps the first count elements (all of them when there are fewer).
    void Truncate(size_t count)
    {
        if (count < size_) {
            size_ = count;
            items_[size_] = T();
        }
    }

    void Clear()
    {
        std::free(items_);
        items_ = nullptr;
        size_ = 0;
    }

    size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    // Never null: an empty array is an empty, terminated text.
    const T *Get() const { return items_ ? items_ : &kEmpty; }
    // Null while nothing is allocated.
    T *Data() { return items_; }
    const T &operator[](size_t index) const { return items_[index]; }

private:
    static constexpr T kEmpty{};
    T *items_ = nullptr;
    size_t size_ = 0;
};
