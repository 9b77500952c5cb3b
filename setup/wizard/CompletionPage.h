// The last page: success or error text after the run; Finish.
#pragma once

#include "WizardPage.h"

class CompletionPage : public WizardPage {
public:
    explicit CompletionPage(const char *title);

private:
    void OnInitialise() override;
    void OnSetActive() override;
};
