// Saves the picture of a program's window once it shows, for runs without a
// display (Xvfb): window_picture CAPTION PNG_PATH [--close]
// Waits up to 30 s for a top-level window with that caption, lets it settle,
// saves it and, with --close, closes it as its close box would.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "DialogActions.h"

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_picture CAPTION PNG_PATH [--close]\n");
        return 2;
    }
    HWND window = nullptr;
    for (int waited = 0; !window && waited < 30000; waited += 100) {
        Sleep(100);
        window = FindWindowA(nullptr, argv[1]);
    }
    if (!window) {
        std::fprintf(stderr, "window_picture: no window \"%s\"\n", argv[1]);
        return 1;
    }
    Sleep(2000);
    bool saved = SaveWindowPicture(window, argv[2]);
    if (argc > 3 && std::strcmp(argv[3], "--close") == 0)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return saved ? 0 : 1;
}
