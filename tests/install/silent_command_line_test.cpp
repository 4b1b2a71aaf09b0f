// The unattended setup's command line: what starts it, the options in any
// case, /D= taking the rest of the line, and every line it refuses, each
// with the reason its log gives.
#include <gtest/gtest.h>

#include <string>

#include "silent_command_line.h"

namespace {

TEST(SilentCommandLine, ArgumentsThatDoNotBeginWithSAreTheInteractiveSetups)
{
    for (const char* arguments : {"", "  ", "setup.doc", "/SAVERONLY", "/Sx", "-S", "/D=C:\\VRX", "\"/S\""}) {
        SilentCommand command = ParseSilentCommand(arguments);
        EXPECT_FALSE(command.silent) << "\"" << arguments << "\"";
        EXPECT_EQ("", command.error) << "\"" << arguments << "\"";
    }
}

TEST(SilentCommandLine, SAloneInstallsBothPartsIntoTheDefaultDestinationWithoutALog)
{
    for (const char* arguments : {"/S", "/s", "  /S \t"}) {
        SilentCommand command = ParseSilentCommand(arguments);
        EXPECT_TRUE(command.silent) << "\"" << arguments << "\"";
        EXPECT_EQ("", command.error) << "\"" << arguments << "\"";
        EXPECT_TRUE(command.installSaver && command.installSound) << "\"" << arguments << "\"";
        EXPECT_EQ("C:\\VRX2 Screen Saver", command.destination);
        EXPECT_EQ("", command.logFile);
    }
}

TEST(SilentCommandLine, OptionsInAnyCaseAndADestinationThatTakesTheRestOfTheLine)
{
    SilentCommand saver = ParseSilentCommand("/s /log=C:\\setup.log /saveronly /d=C:\\Program Files\\VRX 2  ");
    EXPECT_EQ("", saver.error);
    EXPECT_TRUE(saver.installSaver);
    EXPECT_FALSE(saver.installSound);
    EXPECT_EQ("C:\\setup.log", saver.logFile);
    EXPECT_EQ("C:\\Program Files\\VRX 2", saver.destination);

    SilentCommand sounds = ParseSilentCommand("/S /LOG=\"C:\\my logs\\vrx.log\" /SoundsOnly /D=\\\\server\\share\\VRX");
    EXPECT_EQ("", sounds.error);
    EXPECT_FALSE(sounds.installSaver);
    EXPECT_TRUE(sounds.installSound);
    EXPECT_EQ("C:\\my logs\\vrx.log", sounds.logFile);
    EXPECT_EQ("\\\\server\\share\\VRX", sounds.destination);

    // Whatever follows /D= is the directory's name, what looks like an option
    // included; a name cannot hold a slash.
    SilentCommand rest = ParseSilentCommand("/S /D=C:\\Jeux -S");
    EXPECT_EQ("", rest.error);
    EXPECT_EQ("C:\\Jeux -S", rest.destination);
    EXPECT_EQ("/D= is not a valid directory path: C:\\Jeux /SAVERONLY",
              ParseSilentCommand("/S /D=C:\\Jeux /SAVERONLY").error);

    std::string longest = "C:\\" + std::string(236, 'd');
    EXPECT_EQ("", ParseSilentCommand(("/S /D=" + longest).c_str()).error) << "239 characters fit";
    EXPECT_EQ("C:\\VRX", ParseSilentCommand("/S /D=\"C:\\VRX\"").destination) << "quotes are not needed but do no harm";
}

TEST(SilentCommandLine, LinesNotUnderstoodSayWhy)
{
    struct Case {
        std::string arguments;
        const char* reason;
    } cases[] = {
        {"/S /X", "unknown option /X"},
        {"/S /S", "unknown option /S"},
        {"/S setup.doc", "unknown option setup.doc"},
        {"/S /SAVERONLY /SOUNDSONLY", "/SAVERONLY and /SOUNDSONLY exclude each other"},
        {"/S /D=", "/D= names no directory"},
        {"/S /D=   ", "/D= names no directory"},
        {"/S /D=VRX2 Screen Saver", "/D= is not a full path"},
        {"/S /D=\\VRX2", "/D= is not a full path"},
        {"/S /D=C:VRX2", "/D= is not a full path"},
        {"/S /D=C:\\", "/D= names the root of a drive"},
        {"/S /D=C:\\a*b", "/D= is not a valid directory path"},
        {"/S /D=C:\\a\\\\b", "/D= is not a valid directory path"},
        {"/S /D=C:\\" + std::string(237, 'd'), "/D= is longer than 239 characters"},
        {"/S /LOG=", "/LOG= names no file"},
        {"/S /LOG=a.log /LOG=b.log", "/LOG= is given twice"},
        // The first fault is the one named, and a log named after it is still known.
        {"/S /X /LOG=c.log", "unknown option /X"},
    };
    for (const Case& c : cases) {
        SilentCommand command = ParseSilentCommand(c.arguments.c_str());
        EXPECT_TRUE(command.silent) << c.arguments;
        EXPECT_EQ(0u, command.error.find(c.reason)) << c.arguments << ": \"" << command.error << "\"";
    }
    EXPECT_EQ("c.log", ParseSilentCommand("/S /X /LOG=c.log").logFile);
}

}  // namespace
