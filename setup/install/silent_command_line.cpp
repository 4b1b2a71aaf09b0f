// Reading the unattended setup's options.
#include "silent_command_line.h"

#include <windows.h>

#include <string.h>

#include "install_paths.h"
#include "installation_record.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// True when text begins with option, compared without regard to case.
bool StartsWith(const char* text, const char* option)
{
    size_t length = strlen(option);
    return strlen(text) >= length &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text, static_cast<int>(length), option,
                          static_cast<int>(length)) == CSTR_EQUAL;
}

// The option word at text, "/S" or "/SAVERONLY", up to the next blank.
std::string Word(const char* text)
{
    const char* end = text;
    while (*end && !IsBlank(*end))
        ++end;
    return std::string(text, end);
}

bool IsWord(const std::string& word, const char* option)
{
    return word.size() == strlen(option) && StartsWith(word.c_str(), option);
}

std::string WithoutEnclosingQuotes(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// The file of /LOG=, a quoted name or the text up to the next blank; p is
// left behind it.
std::string LogFileAt(const char*& p)
{
    if (*p == '"') {
        const char* close = strchr(p + 1, '"');
        if (close) {
            std::string name(p + 1, close);
            p = close + 1;
            return name;
        }
    }
    std::string name = Word(p);
    p += name.size();
    return name;
}

}  // namespace

std::string DestinationProblem(const std::string& destination)
{
    if (destination.empty())
        return "/D= names no directory";
    std::string installed = destination;
    if (installed.back() == '\\')
        installed.pop_back();
    if (installed.size() >= MAX_PATH - 20)
        return "/D= is longer than " + std::to_string(MAX_PATH - 21) + " characters: " + destination;
    if (!IsAbsolutePath(destination.c_str()))
        return "/D= is not a full path (X:\\... or \\\\server\\share\\...): " + destination;
    if (destination[1] == ':' && installed.size() <= 3)
        return "/D= names the root of a drive: " + destination;
    if (!IsUsableInstalledPath(installed))
        return "/D= is not a valid directory path: " + destination;
    return std::string();
}

SilentCommand ParseSilentCommand(const char* arguments)
{
    SilentCommand command;
    const char* p = arguments ? arguments : "";
    while (IsBlank(*p))
        ++p;
    if (!IsWord(Word(p), "/S"))
        return command;
    command.silent = true;
    p += 2;
    bool destinationGiven = false;
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (!*p)
            break;
        if (StartsWith(p, "/D=")) {
            std::string rest(p + 3);
            while (!rest.empty() && IsBlank(rest.back()))
                rest.pop_back();
            command.destination = WithoutEnclosingQuotes(rest);
            destinationGiven = true;
            break;
        }
        if (StartsWith(p, "/LOG=")) {
            p += 5;
            std::string file = LogFileAt(p);
            if (file.empty() && command.error.empty())
                command.error = "/LOG= names no file";
            else if (!command.logFile.empty() && command.error.empty())
                command.error = "/LOG= is given twice";
            if (command.logFile.empty())
                command.logFile = file;
            continue;
        }
        std::string word = Word(p);
        p += word.size();
        if (IsWord(word, "/SAVERONLY"))
            command.installSound = false;
        else if (IsWord(word, "/SOUNDSONLY"))
            command.installSaver = false;
        else if (command.error.empty())
            command.error = "unknown option " + word;
    }
    if (command.error.empty() && !command.installSaver && !command.installSound)
        command.error = "/SAVERONLY and /SOUNDSONLY exclude each other";
    if (command.error.empty() && destinationGiven)
        command.error = DestinationProblem(command.destination);
    return command;
}
