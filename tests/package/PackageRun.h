// One run of a package in a child process, as a user would start it, with a
// temporary folder of its own so that what it leaves behind can be seen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct PackageResult {
    DWORD exitCode;
    std::vector<std::string> messages;  // texts of the message boxes it showed
};

class PackageSandbox {
public:
    // Makes empty "tmp", "current" and "work" folders under a folder named
    // after the case.
    explicit PackageSandbox(const std::string& name);
    ~PackageSandbox();
    PackageSandbox(const PackageSandbox&) = delete;
    PackageSandbox& operator=(const PackageSandbox&) = delete;

    const std::string& TempFolder() const { return temp_; }
    const std::string& CurrentFolder() const { return current_; }
    const std::string& WorkFolder() const { return work_; }
    // Names left in the temporary folder.
    std::vector<std::string> TempEntries() const;

    // Starts the package with this command line, TMP and TEMP set to the
    // temporary folder and the current folder as its current directory;
    // reads and closes each message box it shows, and waits for its end.
    PackageResult Run(const std::string& package, const std::string& commandLine) const;

private:
    std::string root_;
    std::string temp_;
    std::string current_;
    std::string work_;
};

// The system's text for an error code, as a message box would show it.
std::string SystemText(DWORD error);
