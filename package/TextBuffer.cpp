#include "TextBuffer.h"

size_t TextLength(const char* text)
{
    size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

bool AppendText(char* buffer, size_t capacity, const char* text)
{
    size_t used = TextLength(buffer);
    size_t added = TextLength(text);
    if (used + added >= capacity)
        return false;
    for (size_t i = 0; i <= added; ++i)
        buffer[used + i] = text[i];
    return true;
}

bool CopyText(char* buffer, size_t capacity, const char* text)
{
    buffer[0] = '\0';
    return AppendText(buffer, capacity, text);
}
