// The setup log, "<Windows directory>\veltrin.log": the program's own record
// of what it did, one line an action:
//   2024-05-01 14:03:09 share-add "E_Drive" "E:\" -> ok
// the local time, a word for the action, then its details; texts in quotes
// are escaped as the machine's journal escapes them, so a line is always one
// event. A log that cannot be written never stops the setup.
#pragma once

#include "platform/api.h"

#include <string>
#include <string_view>

inline constexpr char kSetupLogName[] = "veltrin.log";

// One line of the log, built a piece at a time and appended, in one write,
// when the line goes (at the end of the statement that made it):
//   LogLine("share-del").Quoted(name).Result(result);
class LogLine {
  public:
    // word names the action: a fixed word, written as it is.
    explicit LogLine(std::string_view word);
    ~LogLine();
    LogLine(const LogLine &) = delete;
    LogLine &operator=(const LogLine &) = delete;

    // Text as it is, control characters as \xNN; the first piece of the
    // details is set off from the word by a blank.
    LogLine &Text(std::string_view text);
    // The text in double quotes, escaped.
    LogLine &Quoted(std::string_view text);
    // "ok" for 0, else "error <code>".
    LogLine &Outcome(DWORD code);
    // " -> " and the outcome.
    LogLine &Result(DWORD code);

  private:
    void StartPiece();

    std::string m_line;
    std::size_t m_detailsAt;
};
