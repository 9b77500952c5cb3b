// The page that runs the install on a worker thread as soon as it is shown,
// shows its progress and moves on by itself when the run has ended.
#pragma once

#include "WizardPage.h"

class StatusPage : public WizardPage {
public:
    explicit StatusPage(const char *title);

private:
    enum class RunState { NotStarted, Started, Configuring, Finished };

    void OnInitialise() override;
    void OnSetActive() override;
    // The run cannot be stopped half-way: the wizard stays until it ends.
    bool OnQueryCancel() override { return true; }
    void OnRunMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void StartRun();
    void EndRun(bool workerRan);

    RunState state_ = RunState::NotStarted;
};
