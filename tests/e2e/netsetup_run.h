// Runs of the network setup end to end on a copy of the default machine,
// read back afterwards: what was seen (transcript), what the machine did
// (journal) and the registry.
#pragma once

#include "platform/api.h"
#include "tests/e2e/suite_run.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The default machine's TCP/IP driver key, and keys the setup makes.
inline constexpr char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
inline constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr char kWinsock2[] = "System\\CurrentControlSet\\Services\\Winsock2";

inline constexpr char kAutorunLine[] = R"(WinExec "E:\\autorun.exe" 1 -> 33)";
inline constexpr char kInstallerLine[] = R"(CreateProcess "E:\\Wingate\\ws2setup.exe" -> ok)";
inline constexpr char kSetupLine[] = R"(WinExec "E:\\Tzr\\Setup.exe" 1 -> 33)";
inline constexpr char kRestartLine[] = "ExitWindowsEx 2";

inline constexpr char kSharingOpen[] =
    R"(dialog 132 open "Quorvane File and Printer Sharing Selection")";
inline constexpr char kRoleOpen[] = R"(dialog 133 open "Server-Client selection")";
inline constexpr char kNoticeOpen[] = R"(dialog 134 open "                     Reboot Message!")";

class NetsetupRun : public SuiteRun {
  protected:
    // The transcript without the list lines, which belong to the sharing
    // dialog's own story.
    std::vector<std::string> Seen() const;

    // Program starts and restart requests in the journal.
    std::vector<std::string> Programs() const;

    // A string value of the machine's HKLM and its stored size.
    std::optional<std::pair<std::string, DWORD>> Value(const char *key, const char *name);

    bool KeyExists(const char *key);

    // The journal line a program of the CD leaves when it ran.
    bool JournalGets(const std::string &line) const;

    // Applies the REGEDIT4 body given (the header is added) with the machine
    // tool.
    void Import(const std::string &body);
};
