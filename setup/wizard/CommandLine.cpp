#include "CommandLine.h"

#include "PathText.h"

namespace {

bool IsControlOrBlank(char c)
{
    return static_cast<signed char>(c) <= 32;
}

bool IsBlank(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

const char *SkipBlanks(const char *p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

char ModeOfLetter(char letter)
{
    switch (letter) {
    case 'C':
    case 'c':
        return MODE_REMOVE;
    case 'P':
    case 'p':
        return MODE_CONFIGURE;
    case 'U':
    case 'u':
        return MODE_CONFIRM_UNINSTALL;
    default:
        return MODE_NONE;
    }
}

} // namespace

const char *SkipProgramName(const char *commandLine)
{
    const char *p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && !IsControlOrBlank(*p))
            ++p;
    }
    while (*p && IsControlOrBlank(*p))
        ++p;
    return p;
}

SetupCommand ReadSwitch(const char *arguments)
{
    const char *slash = arguments;
    while (*slash && *slash != '/')
        ++slash;
    if (!*slash)
        return {MODE_NONE, SkipBlanks(arguments)};
    const char *letter = slash + 1;
    if (!*letter)
        return {MODE_NONE, letter};
    return {ModeOfLetter(*letter), SkipBlanks(letter + 1)};
}

SetupCommand SelectMode(const char *arguments, const char *programPath)
{
    SetupCommand command = ReadSwitch(arguments);
    if (command.mode == MODE_NONE)
        command.mode = FileNamePart(programPath)[0] == '_' ? MODE_CONFIRM_UNINSTALL : MODE_INSTALL;
    return command;
}
