#include "MessageBuffer.h"

#include <climits>
#include <cstring>
#include <utility>

MessageBuffer::~MessageBuffer()
{
    Reset();
}

MessageBuffer::MessageBuffer(MessageBuffer &&other) noexcept
    : array_(other.array_), failed_(other.failed_)
{
    other.array_ = nullptr;
    other.failed_ = false;
}

MessageBuffer &MessageBuffer::operator=(MessageBuffer &&other) noexcept
{
    if (this != &other) {
        Reset();
        array_ = std::exchange(other.array_, nullptr);
        failed_ = std::exchange(other.failed_, false);
    }
    return *this;
}

bool MessageBuffer::Append(const void *bytes, size_t count)
{
    if (failed_ || (count > 0 && !bytes)) {
        failed_ = true;
        return false;
    }
    if (!array_) {
        SAFEARRAYBOUND bound{0, 0};
        array_ = SafeArrayCreate(VT_UI1, 1, &bound);
        if (!array_) {
            failed_ = true;
            return false;
        }
    }
    if (count == 0)
        return true;
    size_t old = Size();
    if (count > static_cast<size_t>(LONG_MAX) - old) {
        failed_ = true;
        return false;
    }
    // Bytes from this very buffer move when it grows: they are found again
    // by their offset.
    const uint8_t *data = Data();
    const auto *from = static_cast<const uint8_t *>(bytes);
    bool own = data && from >= data && from < data + old;
    size_t ownOffset = own ? static_cast<size_t>(from - data) : 0;
    if (own && count > old - ownOffset) {
        failed_ = true;
        return false;
    }
    SAFEARRAYBOUND bound{static_cast<ULONG>(old + count), array_->rgsabound[0].lLbound};
    if (FAILED(SafeArrayRedim(array_, &bound))) {
        failed_ = true;
        return false;
    }
    std::memcpy(Data() + old, own ? Data() + ownOffset : from, count);
    return true;
}

bool MessageBuffer::AppendArray(SAFEARRAY *other)
{
    MessageBuffer view(other);
    bool appended = Append(view.Data(), view.Size());
    view.Detach();
    return appended;
}

size_t MessageBuffer::Size() const
{
    if (!array_ || array_->cDims != 1 || array_->cbElements != 1)
        return 0;
    return array_->rgsabound[0].cElements;
}

const uint8_t *MessageBuffer::Data() const
{
    return array_ ? static_cast<const uint8_t *>(array_->pvData) : nullptr;
}

uint8_t *MessageBuffer::Data()
{
    return array_ ? static_cast<uint8_t *>(array_->pvData) : nullptr;
}

void MessageBuffer::Reset()
{
    if (array_)
        SafeArrayDestroy(array_);
    array_ = nullptr;
    failed_ = false;
}

SAFEARRAY *MessageBuffer::Detach()
{
    failed_ = false;
    return std::exchange(array_, nullptr);
}
