// Command-line parsing of the uninstaller. The uninstall entry names it as
// "<Windows>\ssunins.exe <installed path>" with the path unquoted.
#include "command_line.h"

#include <windows.h>

#include <string.h>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool IsSilentSwitch(const std::string& word)
{
    return word.size() == 2 && word[0] == '/' && (word[1] == 'S' || word[1] == 's');
}

}  // namespace

std::string ArgumentsAfterProgramName(const char* commandLine, const char* moduleName)
{
    if (!commandLine)
        return std::string();
    const char* p = commandLine;
    while (IsBlank(*p))
        ++p;
    if (*p == '"') {
        const char* close = strchr(p + 1, '"');
        p = close ? close + 1 : p + strlen(p);
    } else {
        // Started as "C:\Some Dir\ssunins.exe args" without quotes, the
        // program name is the module's own path; otherwise it ends at a blank.
        size_t moduleLength = moduleName ? strlen(moduleName) : 0;
        if (moduleLength && strlen(p) >= moduleLength &&
            CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, p, static_cast<int>(moduleLength), moduleName,
                           static_cast<int>(moduleLength)) == CSTR_EQUAL &&
            (p[moduleLength] == '\0' || IsBlank(p[moduleLength]))) {
            p += moduleLength;
        } else {
            while (*p && !IsBlank(*p))
                ++p;
        }
    }
    return std::string(p);
}

UninstallCommand ParseUninstallArguments(const std::string& arguments)
{
    UninstallCommand command;
    std::string rest = Trimmed(arguments);

    // Only the first argument can be a switch: a path cannot begin with '/'.
    // The path itself is never looked into, so a directory named "Jeux -S"
    // or "Jeux /S" stays whole.
    if (!rest.empty() && rest[0] == '/') {
        size_t end = 0;
        while (end < rest.size() && !IsBlank(rest[end]))
            ++end;
        std::string word = rest.substr(0, end);
        if (IsSilentSwitch(word))
            command.silent = true;
        else
            command.unknownSwitch = word;
        rest = Trimmed(rest.substr(end));
    }
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = Trimmed(rest.substr(1, rest.size() - 2));
    command.installedPath = rest;
    return command;
}

std::string WithoutTrailingBackslash(const std::string& path)
{
    if (!path.empty() && path.back() == '\\')
        return path.substr(0, path.size() - 1);
    return path;
}
