// The share calls of the share steps that failed, each by the share's name
// and the share service's answer, and how the user is told of them.
#pragma once

#include "platform/api.h"

#include <string>
#include <string_view>
#include <vector>

struct ShareFailure {
    std::string name; // the share's name as the call gave it
    unsigned code;    // the Windows error code the call answered

    bool operator==(const ShareFailure &) const = default;
};

// In the order the calls were made.
using ShareFailures = std::vector<ShareFailure>;

// Adds the failure of a share call under the share's name; a success adds
// nothing.
void NoteShareResult(ShareFailures &failures, std::string_view name, unsigned result);

// One "WARNING" box owned by owner that lists each failure as
// "<name>: <code>"; nothing is shown when the list is empty.
void ReportShareFailures(HWND owner, const ShareFailures &failures);
