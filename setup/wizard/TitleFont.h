// The bold font of a wizard page's title (control 100), owned by the page
// and deleted when the page's window goes.
#pragma once

#include <windows.h>

class TitleFont {
public:
    TitleFont() = default;
    ~TitleFont() { Reset(); }
    TitleFont(const TitleFont &) = delete;
    TitleFont &operator=(const TitleFont &) = delete;

    // Creates the font for the page's display and gives it to its title.
    void Apply(HWND page, const char *face, int points);
    void Reset();
    HFONT Get() const { return font_; }

    // The font height for a size in points on a display of the given
    // pixels per logical inch: negative, a character height.
    static int Height(int points, int pixelsPerInch);

private:
    HFONT font_ = nullptr;
};
