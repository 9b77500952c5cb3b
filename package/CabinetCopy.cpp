#include "CabinetCopy.h"

#include "CabinetOffset.h"
#include "MappedView.h"
#include "OwnedHandle.h"

namespace {

// The fixed part of a cabinet's header: "MSCF", 4 reserved bytes, the
// cabinet's total size, and the rest up to the first folder entry.
constexpr DWORD CABINET_HEADER_SIZE = 36;
constexpr DWORD CABINET_SIZE_OFFSET = 8;

DWORD ReadDword(const BYTE* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<DWORD>(bytes[3]) << 24;
}

// A cabinet that is cut short or is no cabinet at all is refused before
// anything is extracted from it.
bool IsWholeCabinet(const BYTE* bytes, DWORD size)
{
    return size >= CABINET_HEADER_SIZE && bytes[0] == 'M' && bytes[1] == 'S' && bytes[2] == 'C' &&
           bytes[3] == 'F' && ReadDword(bytes + CABINET_SIZE_OFFSET) <= size;
}

DWORD WriteNewFile(const char* path, const BYTE* bytes, DWORD size)
{
    OwnedHandle copy(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!copy.IsValid())
        return GetLastError();
    DWORD written = 0;
    if (!WriteFile(copy.Get(), bytes, size, &written, nullptr))
        return GetLastError();
    return written == size ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

}  // namespace

DWORD CopyCabinetToTempFile(HMODULE image, const char* tempFolder, char (&cabinetPath)[MAX_PATH])
{
    char packagePath[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, packagePath, sizeof packagePath);
    if (length == 0 || length >= sizeof packagePath)
        return length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    OwnedHandle package(CreateFileA(packagePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!package.IsValid())
        return GetLastError();

    DWORD cabinetOffset = FindCabinetOffset(image);
    DWORD sizeHigh = 0;
    DWORD size = GetFileSize(package.Get(), &sizeHigh);
    if (sizeHigh != 0)
        return ERROR_FILE_TOO_LARGE;
    if (size == cabinetOffset)
        return ERROR_FILE_NOT_FOUND;
    if (size < cabinetOffset)
        return ERROR_INVALID_DATA;

    OwnedHandle mapping(CreateFileMappingA(package.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.IsValid())
        return GetLastError();
    MappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
    if (view.Bytes() == nullptr)
        return GetLastError();

    const BYTE* cabinet = view.Bytes() + cabinetOffset;
    DWORD cabinetSize = size - cabinetOffset;
    if (!IsWholeCabinet(cabinet, cabinetSize))
        return ERROR_INVALID_DATA;

    if (GetTempFileNameA(tempFolder, "~ca", 0, cabinetPath) == 0)
        return GetLastError();
    DWORD error = WriteNewFile(cabinetPath, cabinet, cabinetSize);
    if (error != ERROR_SUCCESS)
        DeleteFileA(cabinetPath);
    return error;
}
