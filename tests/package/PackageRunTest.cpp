// The package end to end: real packages started as a user starts them.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CabinetOffset.h"
#include "FileBytes.h"
#include "PackageRun.h"
#include "TestCabinet.h"

namespace {

constexpr DWORD FAILED = 0xFFFFFFFF;
constexpr DWORD RECORDING_SETUP_EXIT_CODE = 1;
const char* const RECORD_NAME = "setup-record.txt";
// The first folder entry's compression field, behind the fixed header.
constexpr size_t CABINET_FOLDER_COMPRESSION = 36 + 6;

std::vector<std::string> ReadRecord(const PackageSandbox& sandbox)
{
    std::istringstream record(ReadFileBytes(sandbox.CurrentFolder() + "\\" + RECORD_NAME));
    std::vector<std::string> lines;
    for (std::string line; std::getline(record, line);)
        lines.push_back(line);
    return lines;
}

bool SetupRan(const PackageSandbox& sandbox)
{
    return std::filesystem::exists(sandbox.CurrentFolder() + "\\" + RECORD_NAME);
}

struct PackageParts {
    std::string stub;
    std::string cabinet;
};

PackageParts SplitPackage(const std::string& package)
{
    DWORD end = FindCabinetOffset(package.data());
    return {package.substr(0, end), package.substr(end)};
}

// Writes the package into the sandbox's work folder and runs it.
PackageResult RunPackageBytes(const PackageSandbox& sandbox, const std::string& bytes)
{
    std::string path = sandbox.WorkFolder() + "\\Chimebox-Setup.exe";
    WriteFileBytes(path, bytes);
    return sandbox.Run(path, "\"" + path + "\"");
}

void ExpectRefused(const PackageSandbox& sandbox, const PackageResult& result, DWORD error)
{
    EXPECT_EQ(FAILED, result.exitCode);
    EXPECT_EQ(std::vector<std::string>{SystemText(error)}, result.messages);
    EXPECT_FALSE(SetupRan(sandbox));
    EXPECT_EQ(std::vector<std::string>{}, sandbox.TempEntries());
}

struct ArgumentCase {
    const char* name;
    bool quoted;
    const char* tail;
};

TEST(PackageRun, InstallerRunsFromItsExtractionFolderWithThePackagesArguments)
{
    const ArgumentCase cases[] = {
        {"quoted-with-arguments", true, " /S \"a b\"  c"},
        {"unquoted-with-switch", false, " /C"},
        {"quoted-switch-without-blank", true, "/P"},
        {"name-alone", false, ""},
    };
    const std::string package = ReadFileBytes(RECORDING_PACKAGE_PATH);
    for (const ArgumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        PackageSandbox sandbox(c.name);
        std::string path = sandbox.WorkFolder() + "\\Chimebox-Setup.exe";
        WriteFileBytes(path, package);
        std::string name = c.quoted ? "\"" + path + "\"" : path;

        PackageResult result = sandbox.Run(path, name + c.tail);

        EXPECT_EQ(RECORDING_SETUP_EXIT_CODE, result.exitCode);
        EXPECT_EQ(std::vector<std::string>{}, result.messages);
        std::vector<std::string> record = ReadRecord(sandbox);
        ASSERT_EQ(4u, record.size());
        const std::string& installer = record[2];
        EXPECT_EQ("\"" + installer + "\"" + c.tail, record[0]);
        EXPECT_EQ(sandbox.CurrentFolder(), record[1]);
        EXPECT_EQ(sandbox.TempFolder() + "\\~ca", installer.substr(0, sandbox.TempFolder().size() + 4));
        EXPECT_EQ("\\setup.exe", installer.substr(installer.size() - 10));
        EXPECT_EQ("two folders down", record[3]) << "the entry two folders deep";
        EXPECT_EQ(std::vector<std::string>{}, sandbox.TempEntries());
    }
}

// The installer's command line is built in 260 bytes: a tail that does not
// fit is refused, and the extracted files are removed again.
TEST(PackageRun, ArgumentsTooLongForTheInstallersLineAreRefused)
{
    PackageSandbox sandbox("long-arguments");
    std::string path = sandbox.WorkFolder() + "\\Chimebox-Setup.exe";
    WriteFileBytes(path, ReadFileBytes(RECORDING_PACKAGE_PATH));

    PackageResult result = sandbox.Run(path, "\"" + path + "\" /S " + std::string(260, 'x'));

    ExpectRefused(sandbox, result, ERROR_FILENAME_EXCED_RANGE);
}

// Wine reports an older Windows to a program named in its AppDefaults key.
class OlderWindowsFor {
public:
    explicit OlderWindowsFor(const std::string& program)
        : key_("Software\\Wine\\AppDefaults\\" + program)
    {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win31"), 6);
            RegCloseKey(key);
        }
    }
    ~OlderWindowsFor() { RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }
    OlderWindowsFor(const OlderWindowsFor&) = delete;
    OlderWindowsFor& operator=(const OlderWindowsFor&) = delete;

private:
    std::string key_;
};

TEST(PackageRun, WindowsBeforeVersion4IsRefusedWithoutTouchingAnything)
{
    PackageSandbox sandbox("old-windows");
    std::string path = sandbox.WorkFolder() + "\\Old-Setup.exe";
    WriteFileBytes(path, ReadFileBytes(RECORDING_PACKAGE_PATH));
    OlderWindowsFor olderWindows("Old-Setup.exe");

    PackageResult result = sandbox.Run(path, "\"" + path + "\"");

    EXPECT_EQ(FAILED, result.exitCode);
    EXPECT_EQ(std::vector<std::string>{"Windows version not supported"}, result.messages);
    EXPECT_FALSE(SetupRan(sandbox));
    EXPECT_EQ(std::vector<std::string>{}, sandbox.TempEntries());
}

TEST(PackageRun, InstallerThatCannotStartIsReportedAndItsFolderRemoved)
{
    PackageSandbox sandbox("unstartable");
    std::string notAProgram = sandbox.WorkFolder() + "\\setup.exe";
    WriteFileBytes(notAProgram, ReadFileBytes(NOT_A_PROGRAM_PATH));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ASSERT_FALSE(CreateProcessA(notAProgram.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &process));
    DWORD startError = GetLastError();
    ASSERT_NE(static_cast<DWORD>(ERROR_SUCCESS), startError);

    PackageResult result = sandbox.Run(UNSTARTABLE_PACKAGE_PATH, std::string("\"") + UNSTARTABLE_PACKAGE_PATH + "\" /S");

    ExpectRefused(sandbox, result, startError);
}

TEST(PackageRun, StubWithNothingAppendedReportsFileNotFound)
{
    PackageSandbox sandbox("stub-alone");
    PackageResult result = sandbox.Run(PACKAGE_STUB_PATH, std::string("\"") + PACKAGE_STUB_PATH + "\"");
    ExpectRefused(sandbox, result, ERROR_FILE_NOT_FOUND);
}

struct DamageCase {
    const char* name;
    std::string (*damage)(const PackageParts&);
};

// The file ends inside the stub's last section.
std::string ShorterThanTheImage(const PackageParts& parts)
{
    return parts.stub.substr(0, parts.stub.size() - 0x100);
}

std::string NotACabinet(const PackageParts& parts)
{
    return parts.stub + "This is no cabinet, only some text after the program.";
}

std::string CutShort(const PackageParts& parts)
{
    return parts.stub + parts.cabinet.substr(0, parts.cabinet.size() / 2);
}

// The first block's data no longer starts as compressed data does.
std::string GarbledData(const PackageParts& parts)
{
    std::string cabinet = parts.cabinet;
    size_t at = CabinetFirstBlockData(cabinet);
    for (size_t i = at; i < at + 16; ++i)
        cabinet[i] = static_cast<char>(cabinet[i] ^ 0x5A);
    return parts.stub + cabinet;
}

// The folder names a compression method that does not exist.
std::string UnknownCompression(const PackageParts& parts)
{
    std::string cabinet = parts.cabinet;
    cabinet[CABINET_FOLDER_COMPRESSION] = 0x0F;
    return parts.stub + cabinet;
}

// The last file claims more bytes than the folder holds: extracting it
// gives a file shorter than declared.
std::string LastFileLongerThanItsData(const PackageParts& parts)
{
    std::string cabinet = parts.cabinet;
    size_t entry = CabinetFileEntry(cabinet, 1);
    cabinet[entry + 1] = static_cast<char>(cabinet[entry + 1] + 1);
    return parts.stub + cabinet;
}

TEST(PackageRun, DamagedPackageIsRefusedAndSetupNotStarted)
{
    const DamageCase cases[] = {
        {"shorter-than-the-image", ShorterThanTheImage},
        {"not-a-cabinet", NotACabinet},
        {"cut-short", CutShort},
        {"garbled-data", GarbledData},
        {"unknown-compression", UnknownCompression},
        {"file-longer-than-data", LastFileLongerThanItsData},
    };
    const PackageParts parts = SplitPackage(ReadFileBytes(RECORDING_PACKAGE_PATH));
    ASSERT_EQ("MSCF", parts.cabinet.substr(0, 4));
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        PackageSandbox sandbox(c.name);
        ExpectRefused(sandbox, RunPackageBytes(sandbox, c.damage(parts)), ERROR_INVALID_DATA);
    }
}

// The crafted cabinets below are sound apart from the one fault each case
// adds: the same cabinet without it installs.
TEST(PackageRun, HandWrittenCabinetWithoutFaultInstalls)
{
    PackageSandbox sandbox("hand-written");
    const std::string stub = ReadFileBytes(PACKAGE_STUB_PATH);
    std::string cabinet = BuildCabinet({{"setup.exe", ReadFileBytes(RECORDING_SETUP_PATH)},
                                        {"sub1\\sub2\\deep.txt", "two folders down\n"}});
    PackageResult result = RunPackageBytes(sandbox, stub + cabinet);
    EXPECT_EQ(RECORDING_SETUP_EXIT_CODE, result.exitCode);
    std::vector<std::string> record = ReadRecord(sandbox);
    ASSERT_EQ(4u, record.size());
    EXPECT_EQ("two folders down", record[3]);
    EXPECT_EQ(std::vector<std::string>{}, sandbox.TempEntries());
}

TEST(PackageRun, CabinetContinuingIntoAnotherIsRefused)
{
    PackageSandbox sandbox("multi-part");
    const std::string stub = ReadFileBytes(PACKAGE_STUB_PATH);
    std::string cabinet =
        BuildCabinet({{"setup.exe", ReadFileBytes(RECORDING_SETUP_PATH)}, {"part.txt", "first part"}}, true);
    ExpectRefused(sandbox, RunPackageBytes(sandbox, stub + cabinet), ERROR_INVALID_PARAMETER);
}

// Each name would put "evil.txt" into the temporary folder, beside the
// extraction folder, if it were extracted as it stands.
TEST(PackageRun, NameLeavingTheExtractionFolderIsRefused)
{
    const std::string stub = ReadFileBytes(PACKAGE_STUB_PATH);
    const std::string setup = ReadFileBytes(RECORDING_SETUP_PATH);
    const char* const cases[] = {"parent", "parent-further-down", "drive", "root"};
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(cases[i]);
        PackageSandbox sandbox(std::string("traversal-") + cases[i]);
        const std::string absolute = sandbox.TempFolder() + "\\evil.txt";
        const std::string names[] = {"..\\evil.txt", "sub\\..\\..\\evil.txt", absolute, absolute.substr(2)};
        std::string cabinet = BuildCabinet({{"setup.exe", setup}, {names[i], "outside"}});
        ExpectRefused(sandbox, RunPackageBytes(sandbox, stub + cabinet), ERROR_INVALID_DATA);
    }
}

}  // namespace
