// The install wizard walked through by its buttons, page by page, as a
// person does: welcome, licence (ticked), status, completion, Finish.
#pragma once

#include <string>

struct WalkResult {
    bool walked = false;
    // What went wrong, for the person reading the test's output.
    std::string failure;
    // The completion page's text.
    std::string completionText;
    int exitCode = -2;
};

// Starts commandLine, walks the wizard whose caption is caption and waits
// for the started program to end. With a screens folder (ending in a
// backslash), each page is saved there as a PNG file.
WalkResult WalkInstallWizard(const std::string &commandLine, const std::string &caption,
                             const std::string &screensFolder);
