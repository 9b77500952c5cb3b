#include "CommandTail.h"

#include "TextBuffer.h"

const char* FindCommandTail(const char* commandLine)
{
    const char* scan = commandLine;
    if (*scan == '\0')
        return scan;
    char nameEnd = *scan == '"' ? '"' : ' ';
    scan = CharNextA(scan);
    while (*scan != '\0' && *scan != nameEnd)
        scan = CharNextA(scan);
    if (*scan == '"')
        ++scan;
    return scan;
}

DWORD BuildInstallerCommandLine(char (&commandLine)[INSTALLER_COMMAND_LINE_SIZE],
                                const char* installerPath, const char* tail)
{
    commandLine[0] = '\0';
    if (AppendText(commandLine, sizeof commandLine, "\"") &&
        AppendText(commandLine, sizeof commandLine, installerPath) &&
        AppendText(commandLine, sizeof commandLine, "\"") &&
        AppendText(commandLine, sizeof commandLine, tail))
        return ERROR_SUCCESS;
    commandLine[0] = '\0';
    return ERROR_FILENAME_EXCED_RANGE;
}
