#include "TitleFont.h"

#include "SetupResource.h"

void TitleFont::Apply(HWND page, const char *face, int points)
{
    Reset();
    LOGFONTA description = {};
    HDC display = GetDC(page);
    description.lfHeight = Height(points, GetDeviceCaps(display, LOGPIXELSY));
    ReleaseDC(page, display);
    description.lfWeight = FW_BOLD;
    lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
    font_ = CreateFontIndirectA(&description);
    SendDlgItemMessageA(page, IDC_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void TitleFont::Reset()
{
    if (font_) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

int TitleFont::Height(int points, int pixelsPerInch)
{
    return -MulDiv(points, pixelsPerInch, 72);
}
