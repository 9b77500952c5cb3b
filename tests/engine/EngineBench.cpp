// Times the engine's install and uninstall runs over a payload folder: five
// rounds each with the registration pass and five without, then prints the
// medians in milliseconds.
//   engine_bench.exe SOURCE_FOLDER\    (the folder holds Setup.inf)
#include "InstallEngine.h"

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Clears the register bit of every logged file, so that the uninstall run
// unregisters nothing.
void DropRegisterBits(const char *log)
{
    std::vector<char> keys(32768);
    GetPrivateProfileStringA("Installed", nullptr, "", keys.data(), static_cast<DWORD>(keys.size()), log);
    for (const char *key = keys.data(); *key; key += lstrlenA(key) + 1) {
        char value[16];
        snprintf(value, sizeof value, "%u", GetPrivateProfileIntA("Installed", key, 0, log) & ~LOG_REGISTER);
        WritePrivateProfileStringA("Installed", key, value, log);
    }
}

// One install and one uninstall; false when a run failed.
bool Round(const std::string &source, bool registration, double &installMs, double &uninstallMs)
{
    char log[ENGINE_PATH_SIZE];
    {
        InstallEngine engine;
        if (engine.Open((source + "Setup.inf").c_str(), source.c_str()) != S_OK)
            return false;
        // The deferred path leaves registration to the next start: the copy,
        // the log, the uninstall entry and the shortcuts without the pass.
        engine.restartNeeded = !registration;
        double start = Now();
        int installed = engine.RunInstall();
        installMs = Now() - start;
        engine.restartNeeded = false;
        lstrcpyA(log, engine.logPath);
        if (!installed || engine.hadErrors)
            return false;
    }
    if (!registration)
        DropRegisterBits(log);
    InstallEngine engine;
    if (engine.OpenQueue() != S_OK)
        return false;
    lstrcpyA(engine.logPath, log);
    double start = Now();
    int removed = engine.RunUninstall();
    uninstallMs = Now() - start;
    return removed == 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: engine_bench SOURCE_FOLDER\\\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    std::string source = argv[1];
    if (source.back() != '\\')
        source += '\\';
    for (bool registration : {false, true}) {
        std::vector<double> installs, uninstalls;
        for (int round = 0; round < 5; ++round) {
            double installMs = 0, uninstallMs = 0;
            if (!Round(source, registration, installMs, uninstallMs)) {
                fprintf(stderr, "round %d failed\n", round + 1);
                CoUninitialize();
                return 1;
            }
            installs.push_back(installMs);
            uninstalls.push_back(uninstallMs);
        }
        printf("%-28s install %8.1f ms   uninstall %8.1f ms   (median of 5)\n",
               registration ? "registration included:" : "registration excluded:", Median(installs),
               Median(uninstalls));
    }
    CoUninitialize();
    return 0;
}
