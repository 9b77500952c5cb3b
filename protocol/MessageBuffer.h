// A growable byte array (SAFEARRAY of VT_UI1, one dimension, lower bound 0)
// in which a message is built, a reply is held, or a ringtone file is read.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>

class MessageBuffer {
public:
    MessageBuffer() = default;
    // Takes over an array (a reply); null leaves the buffer absent.
    explicit MessageBuffer(SAFEARRAY *owned) : array_(owned) {}
    ~MessageBuffer();
    MessageBuffer(const MessageBuffer &) = delete;
    MessageBuffer &operator=(const MessageBuffer &) = delete;
    MessageBuffer(MessageBuffer &&other) noexcept;
    MessageBuffer &operator=(MessageBuffer &&other) noexcept;

    // The first append creates the array. False when the array cannot be
    // created or grown; the buffer is then marked failed and stays so.
    bool Append(const void *bytes, size_t count);
    // Appends the whole contents of another byte array.
    bool AppendArray(SAFEARRAY *other);

    bool Failed() const { return failed_; }
    bool Absent() const { return array_ == nullptr; }
    SAFEARRAY *Array() const { return array_; }
    // Element count of the single dimension; 0 when absent.
    size_t Size() const;
    // Start of the array's data; null when absent or when the array has none.
    const uint8_t *Data() const;
    uint8_t *Data();

    // Destroys the array; the buffer is absent again.
    void Reset();
    SAFEARRAY *Detach();

private:
    SAFEARRAY *array_ = nullptr;
    bool failed_ = false;
};
