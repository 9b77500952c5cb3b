#include "WindowDriver.h"

#include <cstdint>
#include <vector>

namespace {

struct Search {
    const std::string *caption;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    Search &search = *reinterpret_cast<Search *>(param);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) && WindowTextOf(window) == *search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

uint32_t Crc(const uint8_t *data, size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBig(std::vector<uint8_t> &out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void Chunk(std::vector<uint8_t> &png, const char *type, const std::vector<uint8_t> &data)
{
    PutBig(png, static_cast<uint32_t>(data.size()));
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBig(png, Crc(&png[start], png.size() - start));
}

// Deflate with fixed codes: literals, and runs that repeat the byte before
// (distance 1), which is what the "Sub" filter makes of flat colours.
class FixedDeflate {
public:
    std::vector<uint8_t> Compress(const std::vector<uint8_t> &in)
    {
        Bits(1, 1);
        Bits(1, 2);
        size_t i = 0;
        while (i < in.size()) {
            size_t run = 0;
            if (i > 0) {
                while (run < 258 && i + run < in.size() && in[i + run] == in[i - 1])
                    ++run;
            }
            if (run >= 3) {
                Length(static_cast<unsigned>(run));
                Bits(0, 5); // distance code 0: distance 1
                i += run;
            } else {
                Literal(in[i++]);
            }
        }
        Code(0, 7); // end of block
        if (used_)
            out_.push_back(static_cast<uint8_t>(bits_));
        return out_;
    }

private:
    void Bits(unsigned value, int count)
    {
        bits_ |= value << used_;
        used_ += count;
        while (used_ >= 8) {
            out_.push_back(static_cast<uint8_t>(bits_));
            bits_ >>= 8;
            used_ -= 8;
        }
    }
    // Huffman codes are written from their highest bit.
    void Code(unsigned code, int length)
    {
        for (int bit = length - 1; bit >= 0; --bit)
            Bits((code >> bit) & 1, 1);
    }
    void Literal(unsigned byte)
    {
        if (byte < 144)
            Code(0x30 + byte, 8);
        else
            Code(0x190 + byte - 144, 9);
    }
    void Symbol(unsigned symbol)
    {
        if (symbol < 280)
            Code(symbol - 256, 7);
        else
            Code(0xC0 + symbol - 280, 8);
    }
    void Length(unsigned length)
    {
        static const unsigned base[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                        35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const int extra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2,
                                    3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        int code = 28;
        while (base[code] > length)
            --code;
        Symbol(257 + static_cast<unsigned>(code));
        Bits(length - base[code], extra[code]);
    }

    std::vector<uint8_t> out_;
    unsigned bits_ = 0;
    int used_ = 0;
};

bool WritePng(const std::string &path, int width, int height, const std::vector<uint8_t> &bgr, int stride)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(1); // Sub: each byte less the one of the pixel before
        const uint8_t *row = &bgr[static_cast<size_t>(y) * stride];
        for (int x = 0; x < width; ++x) {
            for (int c = 2; c >= 0; --c) {
                uint8_t value = row[x * 3 + c];
                uint8_t left = x > 0 ? row[(x - 1) * 3 + c] : 0;
                raw.push_back(static_cast<uint8_t>(value - left));
            }
        }
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    std::vector<uint8_t> deflated = FixedDeflate().Compress(raw);
    zlib.insert(zlib.end(), deflated.begin(), deflated.end());
    PutBig(zlib, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig(header, static_cast<uint32_t>(width));
    PutBig(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", zlib);
    Chunk(png, "IEND", {});

    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == png.size();
}

} // namespace

HWND WaitForDialog(const std::string &caption, DWORD timeoutMs)
{
    Search search = {&caption, nullptr};
    WaitFor([&] {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

bool WaitFor(const std::function<bool()> &check, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!check()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

std::string WindowTextOf(HWND window)
{
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

std::string ControlTextOf(HWND dialog, int control)
{
    HWND item = GetDlgItem(dialog, control);
    return item ? WindowTextOf(item) : std::string();
}

bool CanPress(HWND dialog, int control)
{
    HWND button = GetDlgItem(dialog, control);
    return button && IsWindowVisible(button) && IsWindowEnabled(button);
}

bool Press(HWND dialog, int control)
{
    if (!CanPress(dialog, control))
        return false;
    return PostMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0) != FALSE;
}

bool SaveScreenshot(HWND window, const std::string &path)
{
    RECT bounds;
    if (!GetWindowRect(window, &bounds))
        return false;
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    GdiFlush();
    int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> pixels(static_cast<const uint8_t *>(bits),
                                static_cast<const uint8_t *>(bits) + static_cast<size_t>(stride) * height);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return WritePng(path, width, height, pixels, stride);
}

HANDLE StartProgram(const std::string &commandLine)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int WaitForExit(HANDLE process, DWORD timeoutMs)
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return -2;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}
