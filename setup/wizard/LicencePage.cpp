#include "LicencePage.h"

#include "InstallEngine.h"
#include "PathText.h"
#include "SetupResource.h"
#include "SetupText.h"

namespace {

constexpr DWORD PIECE_SIZE = 16384;

// The licence's bytes, grown piece by piece; null when the file is missing
// or memory runs out before the first piece.
class LicenceText {
public:
    LicenceText() = default;
    ~LicenceText()
    {
        if (text_)
            HeapFree(GetProcessHeap(), 0, text_);
    }
    LicenceText(const LicenceText &) = delete;
    LicenceText &operator=(const LicenceText &) = delete;

    // False when there is no room for more: what was read so far stays.
    bool Append(const char *bytes, DWORD count)
    {
        SIZE_T needed = length_ + count + 1;
        char *grown = text_ ? static_cast<char *>(HeapReAlloc(GetProcessHeap(), 0, text_, needed))
                            : static_cast<char *>(HeapAlloc(GetProcessHeap(), 0, needed));
        if (!grown)
            return false;
        text_ = grown;
        CopyMemory(text_ + length_, bytes, count);
        length_ += count;
        text_[length_] = '\0';
        return true;
    }

    const char *Text() const { return text_ ? text_ : ""; }

private:
    char *text_ = nullptr;
    SIZE_T length_ = 0;
};

void ReadLicence(const char *path, LicenceText &text)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    char piece[PIECE_SIZE];
    DWORD got = 0;
    while (ReadFile(file, piece, PIECE_SIZE - 1, &got, nullptr) && got > 0) {
        piece[got] = '\0';
        if (!text.Append(piece, got))
            break;
    }
    CloseHandle(file);
}

} // namespace

LicencePage::LicencePage(const char *title) : WizardPage(IDD_LICENCE_PAGE, title) {}

void LicencePage::OnInitialise()
{
    ApplyTitleFont("MS Sans Bold ", 8);
    char path[ENGINE_PATH_SIZE];
    lstrcpynA(path, installEngine.sourceFolder, ENGINE_PATH_SIZE);
    AppendToPath(path, "License.txt");
    LicenceText text;
    ReadLicence(path, text);
    SetDlgItemTextA(Window(), IDC_LICENCE_TEXT, text.Text());
    SetSetupText(Window(), IDC_TITLE, IDS_LICENCE_TITLE, "");
    SetSetupText(Window(), IDC_SUBTITLE, IDS_LICENCE_SUBTITLE, "");
    CheckDlgButton(Window(), IDC_AGREE, BST_UNCHECKED);
}

void LicencePage::OnSetActive()
{
    UpdateButtons();
}

void LicencePage::OnAgreeClicked()
{
    UpdateButtons();
}

void LicencePage::UpdateButtons() const
{
    bool agreed = IsDlgButtonChecked(Window(), IDC_AGREE) == BST_CHECKED;
    SetWizardButtons(agreed ? PSWIZB_BACK | PSWIZB_NEXT : PSWIZB_BACK);
}
