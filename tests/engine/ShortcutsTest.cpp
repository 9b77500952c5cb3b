// Shortcuts from the script's shortcut sections.
#include "EngineFixture.h"

#include "ComPtr.h"

#include <shlobj.h>

namespace {

struct Link {
    std::string target;
    std::string iconFile;
    int iconIndex = -1;
};

// Reads a link file back through the shell's link object.
bool ReadLink(const std::string &path, Link &link)
{
    ComPtr<IShellLinkA> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(shellLink.Receive()))))
        return false;
    ComPtr<IPersistFile> file;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (FAILED(shellLink.As(IID_IPersistFile, file)) || FAILED(file->Load(wide, STGM_READ)))
        return false;
    char text[MAX_PATH] = "";
    shellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    link.target = text;
    text[0] = '\0';
    shellLink->GetIconLocation(text, MAX_PATH, &link.iconIndex);
    link.iconFile = text;
    return true;
}

const char kScript[] = "[Version]\r\nSignature=\"$Chicago$\"\r\n"
                       "[DefaultInstall]\r\nSetupShortcuts = Menu.Shortcuts\r\nSetupShortcuts = Lost.Shortcuts\r\n"
                       "[DestinationDirs]\r\nDefaultDestDir = 49000\r\nMenu.Shortcuts = 32791, %App_Name%\r\n"
                       "Lost.Shortcuts = 32791, Missing\\Deeper\r\n"
                       "[Menu.Shortcuts]\r\n"
                       "%App_Name%, 0, TWChimebox.exe\r\n"
                       "Zero, 0, TWChimebox.exe, 0\r\n"
                       "Two fields, 0\r\n"
                       ", 0, TWChimebox.exe\r\n"
                       "Uninstall %App_Name%, 0, _Unins.exe, 1\r\n"
                       "[Lost.Shortcuts]\r\nNowhere, 0, TWChimebox.exe\r\n"
                       "[Setup.Data]\r\nAppName = %App_Name%\r\n[Strings]\r\nApp_Name=\"Chimebox\"\r\n";

} // namespace

TEST_F(EngineTest, ShortcutsAreMadeLoggedAndSkippedAsTheirLinesSay)
{
    MakeSource(kScript, {});
    OpenEngine();
    const std::string menu = ProgramsMenu() + "Chimebox";
    const std::string app = ProgramFiles() + "Chimebox";
    ASSERT_TRUE(CreateDirectoryA(menu.c_str(), nullptr));
    EXPECT_EQ(engine.CreateShortcuts(), 1);

    // The folder existed already and is still logged; the lost section's
    // folder cannot be made and is not.
    EXPECT_EQ(LogKeys(engine.logPath, "Directories"), (std::vector<std::string>{app, menu}));
    EXPECT_FALSE(Exists(ProgramsMenu() + "Missing"));
    const std::vector<std::string> links{menu + "\\Chimebox.lnk", menu + "\\Zero.lnk",
                                         menu + "\\Uninstall Chimebox.lnk"};
    EXPECT_EQ(LogKeys(engine.logPath, "Installed"), links);

    const struct {
        const char *link;
        const char *target;
        int iconIndex; // -1: no icon location set
    } rows[] = {{"Chimebox.lnk", "TWChimebox.exe", -1},
                {"Zero.lnk", "TWChimebox.exe", -1},
                {"Uninstall Chimebox.lnk", "_Unins.exe", 1}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.link);
        Link link;
        ASSERT_TRUE(ReadLink(menu + "\\" + row.link, link));
        EXPECT_EQ(link.target, app + "\\" + row.target);
        if (row.iconIndex < 0) {
            EXPECT_EQ(link.iconFile, "");
        } else {
            EXPECT_EQ(link.iconFile, app + "\\" + row.target);
            EXPECT_EQ(link.iconIndex, row.iconIndex);
        }
    }
    EXPECT_FALSE(Exists(menu + "\\Two fields.lnk"));
    EXPECT_FALSE(Exists(menu + "\\.lnk"));

    // A second run overwrites the same files and rewrites the same keys.
    EXPECT_EQ(engine.CreateShortcuts(), 1);
    EXPECT_EQ(LogKeys(engine.logPath, "Installed"), links);
}

TEST_F(EngineTest, LinkThatCannotBeSavedIsNotLogged)
{
    EXPECT_FALSE(InstallEngine::CreateShellLink("C:\\Program Files\\Chimebox\\TWChimebox.exe",
                                                "C:\\no such folder\\x.lnk", 0));
    std::string link = source + "made.lnk";
    EXPECT_TRUE(InstallEngine::CreateShellLink("C:\\Program Files\\Chimebox\\TWChimebox.exe", link.c_str(), 2));
    Link read;
    ASSERT_TRUE(ReadLink(link, read));
    EXPECT_EQ(read.iconIndex, 2);
}
