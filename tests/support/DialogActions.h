// Test helpers for dialogs a DialogCatcher handler has been given: acting on
// a dialog once its modal loop runs, answering a common file dialog, and
// saving a window's picture as a PNG file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Runs action on the dialog from a timer of its own, that is once the
// dialog's modal loop is running and its controls are filled.
void RunWhenShown(HWND dialog, std::function<void(HWND dialog)> action);

// A common file dialog's file name box and the text of its chosen filter.
std::string FileDialogName(HWND dialog);
std::string FileDialogFilter(HWND dialog);
// Types path into the file name box and presses OK.
void AnswerFileDialog(HWND dialog, const std::string &path);

// Repaints window and saves what the screen shows of it; false on failure.
bool SaveWindowPicture(HWND window, const std::string &pngPath);
