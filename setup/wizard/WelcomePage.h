// The first page: the application's name and description from the script.
#pragma once

#include "WizardPage.h"

class WelcomePage : public WizardPage {
public:
    explicit WelcomePage(const char *title);

private:
    void OnInitialise() override;
    void OnSetActive() override;
};
