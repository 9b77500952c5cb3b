#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "CabinetOffset.h"
#include "FileBytes.h"

namespace {

struct ImageCase {
    const char* what;
    LONG peOffset;
    WORD optionalHeaderPadding;  // beyond the standard optional header
    DWORD sizeOfHeaders;
    std::vector<DWORD> rawSizes;
    DWORD end;
};

// Headers laid out as a linker writes them, section table found through
// SizeOfOptionalHeader.
std::vector<BYTE> BuildHeaders(const ImageCase& c)
{
    std::vector<BYTE> image(0x1000, 0);
    IMAGE_DOS_HEADER dos = {};
    dos.e_magic = IMAGE_DOS_SIGNATURE;
    dos.e_lfanew = c.peOffset;
    std::memcpy(image.data(), &dos, sizeof dos);
    IMAGE_NT_HEADERS nt = {};
    nt.Signature = IMAGE_NT_SIGNATURE;
    nt.FileHeader.NumberOfSections = static_cast<WORD>(c.rawSizes.size());
    nt.FileHeader.SizeOfOptionalHeader = sizeof(IMAGE_OPTIONAL_HEADER) + c.optionalHeaderPadding;
    nt.OptionalHeader.Magic = IMAGE_NT_OPTIONAL_HDR_MAGIC;
    nt.OptionalHeader.SizeOfHeaders = c.sizeOfHeaders;
    std::memcpy(image.data() + c.peOffset, &nt, sizeof nt);
    size_t table = c.peOffset + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
    for (size_t i = 0; i < c.rawSizes.size(); ++i) {
        IMAGE_SECTION_HEADER section = {};
        // Fields the computation must not read.
        section.Misc.VirtualSize = 0x7777;
        section.PointerToRawData = 0x9999;
        section.SizeOfRawData = c.rawSizes[i];
        std::memcpy(image.data() + table + i * sizeof section, &section, sizeof section);
    }
    return image;
}

TEST(CabinetOffset, HeadersPlusEverySectionsRawData)
{
    const ImageCase cases[] = {
        {"three sections", 0x80, 0, 0x400, {0xC00, 0x400, 0x400}, 0x1800},
        {"no section", 0x80, 0, 0x200, {}, 0x200},
        {"uninitialised data has no raw data", 0x40, 0, 0x400, {0xA00, 0, 0x200, 0x600}, 0x1600},
        {"longer optional header", 0x100, 0x40, 0x600, {0x200, 0x200}, 0xA00},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> image = BuildHeaders(c);
        EXPECT_EQ(c.end, FindCabinetOffset(image.data()));
    }
}

// The stub as built: stripped, its image ends where its file ends, and in a
// package the cabinet starts right there.
TEST(CabinetOffset, BuiltStubEndsItsFileAndThePackagesCabinetFollows)
{
    std::string stub = ReadFileBytes(PACKAGE_STUB_PATH);
    ASSERT_GT(stub.size(), 0x400u);
    EXPECT_EQ(stub.size(), FindCabinetOffset(stub.data()));

    std::string package = ReadFileBytes(RECORDING_PACKAGE_PATH);
    DWORD end = FindCabinetOffset(package.data());
    ASSERT_EQ(stub.size(), end);
    EXPECT_EQ(stub, package.substr(0, end));
    EXPECT_EQ("MSCF", package.substr(end, 4));
}

}  // namespace
