// The pieces a run host is made of: the log search, the wait that keeps
// dispatching, and the worker threads.
#include "FindSetupLog.h"
#include "InstallEngine.h"
#include "WaitForRunEnd.h"
#include "WaitFor.h"
#include "WizardTestFiles.h"
#include "WorkerThreads.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
};
std::vector<Received> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER || message == WM_CHAR)
        received.push_back({message, wParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

// A hidden window of its own class that records what reaches it.
class RecordingWindow {
public:
    explicit RecordingWindow(bool unicode)
    {
        if (unicode) {
            WNDCLASSW windowClass = {};
            windowClass.lpfnWndProc = RecordingProc;
            windowClass.lpszClassName = L"RecordingWindowW";
            RegisterClassW(&windowClass);
            window_ = CreateWindowW(L"RecordingWindowW", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                    nullptr);
        } else {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = RecordingProc;
            windowClass.lpszClassName = "RecordingWindowA";
            RegisterClassA(&windowClass);
            window_ = CreateWindowA("RecordingWindowA", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                    nullptr);
        }
        received.clear();
    }
    ~RecordingWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

std::string Found(const std::string &given, bool *found)
{
    char path[ENGINE_PATH_SIZE];
    lstrcpynA(path, given.c_str(), ENGINE_PATH_SIZE);
    *found = FindSetupLog(path);
    return path;
}

TEST(FindSetupLog, TriesTheGivenPathThenTheCurrentFolderThenTheProgramsFolder)
{
    TempFolder logs;
    TempFolder current;
    WriteTextFile(logs / "my.log", "[Setup]\r\n");
    ScopedCurrentFolder inCurrent(current.Path());
    bool found = false;

    EXPECT_EQ(Found(logs / "my.log", &found), logs / "my.log");
    EXPECT_TRUE(found);

    // Nothing anywhere: the last path tried is the program's folder's log.
    EXPECT_EQ(Found("", &found), ProgramFolder() + "_Install.log");
    EXPECT_FALSE(found);
    EXPECT_EQ(Found(logs / "missing.log", &found), ProgramFolder() + "_Install.log");
    EXPECT_FALSE(found);

    WriteTextFile(current / "_Install.log", "[Setup]\r\n");
    EXPECT_EQ(Found("", &found), current / "_Install.log");
    EXPECT_TRUE(found);
    EXPECT_EQ(Found(logs / "missing.log", &found), current / "_Install.log");
    EXPECT_TRUE(found);
}

TEST(FindSetupLog, FindsTheLogBesideTheProgram)
{
    TempFolder current;
    ScopedCurrentFolder inCurrent(current.Path());
    std::string besideProgram = ProgramFolder() + "_Install.log";
    WriteTextFile(besideProgram, "[Setup]\r\n");
    bool found = false;
    std::string path = Found("", &found);
    DeleteFileA(besideProgram.c_str());
    EXPECT_TRUE(found);
    EXPECT_EQ(path, besideProgram);
}

TEST(WaitForRunEnd, DispatchesMessagesUntilTheEventIsSet)
{
    RecordingWindow window(false);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread worker([&] {
        for (WPARAM i = 0; i < 3; ++i) {
            PostMessageA(window.Get(), WM_USER + 5, i, 0);
            Sleep(50);
        }
        SetEvent(event);
    });
    EXPECT_TRUE(WaitForRunEnd(event));
    worker.join();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[2].wParam, 2u);
    // Auto-reset: the wait has taken the signal.
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(event);
}

TEST(WaitForRunEnd, GivesAUnicodeWindowItsMessagesUnconverted)
{
    RecordingWindow window(true);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread worker([&] {
        PostMessageW(window.Get(), WM_CHAR, 0x3042, 0);
        Sleep(100);
        SetEvent(event);
    });
    EXPECT_TRUE(WaitForRunEnd(event));
    worker.join();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, 0x3042u);
    CloseHandle(event);
}

TEST(WaitForRunEnd, ReportsAFailedWaitAndKeepsAQuitForTheLoopOutside)
{
    EXPECT_FALSE(WaitForRunEnd(nullptr));

    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    PostQuitMessage(7);
    std::thread worker([&] {
        Sleep(100);
        SetEvent(event);
    });
    EXPECT_TRUE(WaitForRunEnd(event));
    worker.join();
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
    CloseHandle(event);
}

TEST(WorkerThreads, TheInstallAndUninstallStartersRefuseWithoutScriptOrQueue)
{
    RecordingWindow window(false);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    EXPECT_FALSE(StartInstallThread(window.Get(), event));
    EXPECT_FALSE(StartUninstallThread(window.Get(), event, "C:\\x\\_Install.log"));
    // Nothing of the engine was changed.
    EXPECT_EQ(installEngine.doneEvent, nullptr);
    EXPECT_STREQ(installEngine.logPath, "");
    CloseHandle(event);
}

TEST(WorkerThreads, TheRegistrationPassEndsWithFinishedAndTheDoneEvent)
{
    TempFolder folder;
    std::string log = folder / "_Install.log";
    WriteTextFile(log, "[Setup]\r\nAppName=Fixture\r\n");
    RecordingWindow window(false);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    installEngine.AttachProgressWindow(window.Get(), WM_USER);
    ASSERT_TRUE(StartRegisterThread(window.Get(), event, log.c_str()));
    EXPECT_STREQ(installEngine.logPath, log.c_str());
    EXPECT_EQ(installEngine.ownerWindow, window.Get());
    EXPECT_TRUE(WaitForRunEnd(event));
    PumpUntil([] { return !received.empty(); }, 2000);
    installEngine.DetachProgressWindow();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(received[0].wParam, PROGRESS_FINISHED);
    CloseHandle(event);
}

TEST(WorkerThreads, TheUninstallRemovesWhatTheLogNames)
{
    TempFolder folder;
    std::string application = folder / "App";
    CreateDirectoryA(application.c_str(), nullptr);
    std::string program = application + "\\Program.exe";
    WriteTextFile(program, "MZ");
    std::string log = application + "\\_Install.log";
    WritePrivateProfileStringA("Setup", "AppName", "WizardUninstallFixture", log.c_str());
    WritePrivateProfileStringA("Directories", application.c_str(), "0", log.c_str());
    WritePrivateProfileStringA("Installed", program.c_str(), "0", log.c_str());

    RecordingWindow window(false);
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ASSERT_EQ(installEngine.OpenQueue(), S_OK);
    installEngine.AttachProgressWindow(window.Get(), WM_USER);
    ASSERT_TRUE(StartUninstallThread(window.Get(), event, log.c_str()));
    EXPECT_TRUE(WaitForRunEnd(event));
    installEngine.DetachProgressWindow();
    EXPECT_FALSE(PathExists(program));
    EXPECT_FALSE(PathExists(log));
    EXPECT_FALSE(PathExists(application));
    CloseHandle(event);
}

} // namespace
