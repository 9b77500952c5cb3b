#include "DialogActions.h"

#include <dlgs.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <vector>

#include "DialogCatcher.h"

namespace {

constexpr UINT_PTR kActionTimer = 0x5A11;

std::map<HWND, std::function<void(HWND)>> &PendingActions()
{
    static std::map<HWND, std::function<void(HWND)>> actions;
    return actions;
}

void CALLBACK RunPendingAction(HWND dialog, UINT, UINT_PTR id, DWORD)
{
    KillTimer(dialog, id);
    auto found = PendingActions().find(dialog);
    if (found == PendingActions().end())
        return;
    std::function<void(HWND)> action = std::move(found->second);
    PendingActions().erase(found);
    action(dialog);
}

HWND FileNameBox(HWND dialog)
{
    if (HWND combo = GetDlgItem(dialog, cmb13))
        return combo;
    return GetDlgItem(dialog, edt1);
}

std::string Text(HWND window)
{
    char text[MAX_PATH * 2] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

uint32_t Crc(const uint8_t *bytes, size_t size, uint32_t crc = 0)
{
    static uint32_t table[256];
    if (!table[1]) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t> &png, const char *type, const std::vector<uint8_t> &data)
{
    Put32(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    Put32(png, Crc(body.data(), body.size()));
}

// RGB rows, top-down, as a PNG with stored (uncompressed) deflate blocks.
std::vector<uint8_t> Png(int width, int height, const std::vector<uint8_t> &rgb)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + static_cast<long>(y) * width * 3,
                   rgb.begin() + static_cast<long>(y + 1) * width * 3);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || raw.empty();) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n & 0xFF));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n & 0xFF));
        z.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        at += n;
        if (last)
            break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32(z, b << 16 | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

} // namespace

void RunWhenShown(HWND dialog, std::function<void(HWND)> action)
{
    PendingActions()[dialog] = std::move(action);
    SetTimer(dialog, kActionTimer, 50, RunPendingAction);
}

std::string FileDialogName(HWND dialog) { return Text(FileNameBox(dialog)); }

std::string FileDialogFilter(HWND dialog)
{
    HWND filters = GetDlgItem(dialog, cmb1);
    LRESULT index = SendMessageA(filters, CB_GETCURSEL, 0, 0);
    char text[256] = "";
    if (index >= 0 && SendMessageA(filters, CB_GETLBTEXTLEN, index, 0) < static_cast<LRESULT>(sizeof text))
        SendMessageA(filters, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

void AnswerFileDialog(HWND dialog, const std::string &path)
{
    SetWindowTextA(FileNameBox(dialog), path.c_str());
    DialogCatcher::PressButton(dialog, IDOK);
}

bool SaveWindowPicture(HWND window, const std::string &pngPath)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Lets the window and its controls finish painting (a dialog that has
    // just opened still has its controls' first paint queued).
    for (DWORD start = GetTickCount(); GetTickCount() - start < 300;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    RECT r;
    if (!GetWindowRect(window, &r))
        return false;
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap && bits;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != 0;
        SelectObject(memory, old);
    }
    std::vector<uint8_t> rgb;
    if (ok) {
        const uint8_t *bgra = static_cast<const uint8_t *>(bits);
        for (int i = 0; i < width * height; ++i) {
            rgb.push_back(bgra[i * 4 + 2]);
            rgb.push_back(bgra[i * 4 + 1]);
            rgb.push_back(bgra[i * 4]);
        }
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!ok)
        return false;
    std::vector<uint8_t> png = Png(width, height, rgb);
    FILE *file = std::fopen(pngPath.c_str(), "wb");
    if (!file)
        return false;
    ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}
