// The licence agreement: the text of "License.txt" beside Setup, and Next
// only while the agreement box is ticked.
#pragma once

#include "WizardPage.h"

class LicencePage : public WizardPage {
public:
    explicit LicencePage(const char *title);

private:
    void OnInitialise() override;
    void OnSetActive() override;
    void OnAgreeClicked() override;
    void UpdateButtons() const;
};
