// Bounded text in the fixed 260-byte path buffers of the stub, which has no
// C run-time to lean on.
#pragma once

#include <stddef.h>

size_t TextLength(const char* text);

// Appends text when the result, terminator included, fits into capacity
// bytes; otherwise leaves the buffer as it was and answers false.
bool AppendText(char* buffer, size_t capacity, const char* text);

// Copies text into the buffer under the same rule; a text that does not fit
// leaves the buffer empty.
bool CopyText(char* buffer, size_t capacity, const char* text);
