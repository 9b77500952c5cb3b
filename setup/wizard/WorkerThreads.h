// The worker threads that run the engine's install, registration and
// uninstall while the user-interface thread keeps its host window alive.
#pragma once

#include <windows.h>

// Each starter hands the run to a new thread and answers whether one was
// created; the host window receives the run's messages and the event is set
// when the worker has ended.

// Refuses when the engine's script or file queue is not open.
bool StartInstallThread(HWND host, HANDLE doneEvent);
bool StartRegisterThread(HWND host, HANDLE doneEvent, const char *logPath);
// Refuses when the engine's file queue is not open: the run would delete the
// log and the entries while every file stayed.
bool StartUninstallThread(HWND host, HANDLE doneEvent, const char *logPath);

// The threads' bodies; the parameter is the engine.
DWORD WINAPI InstallThread(LPVOID engine);
DWORD WINAPI RegisterThread(LPVOID engine);
DWORD WINAPI UninstallThread(LPVOID engine);

// What a host shows, owned by its window, when its worker could not start.
void ReportWorkerNotStarted(HWND host);
