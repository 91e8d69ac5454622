// The share calls of the share steps that failed, each by the share's name
// and the share service's answer, and how the user is told of them.
#pragma once

#include "platform/api.h"

#include <string>
#include <string_view>

// The failures in the order the calls were made, kept as the lines of the
// report: "\n<name>: <code>" each.
class ShareFailures {
  public:
    // Adds the failure of a share call under the share's name (as the call
    // gave it) and the Windows error code it answered; a success adds
    // nothing.
    void Note(std::string_view name, unsigned result);

    bool empty() const { return m_lines.empty(); }
    const std::string &Lines() const { return m_lines; }

  private:
    std::string m_lines;
};

// One "WARNING" box owned by owner that lists each failure as
// "<name>: <code>"; nothing is shown when the list is empty.
void ReportShareFailures(HWND owner, const ShareFailures &failures);
