// The response file: one action a line, consumed in order by whatever waits
// for the user. Blank lines and lines starting with '#' are skipped; a '#'
// after a blank, outside quotes, starts a comment that ends the action.
//
//   answer ok|cancel|yes|no   the showing message box
//   click <id>                a button; 1 is OK (Enter), 2 is Escape / the close box
//   select <id> <n>|"<text>"  entry n (from 0) of list box id, or its first entry
//                             of that text (quoted as the transcript quotes)
//   dblclick <id> <n>|"<text>" selects the entry, then double-clicks it
//   sysmenu <command>         a system-menu command, decimal or 0x hex
//   wait <ms>                 virtual time passes; due timers fire
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

struct Action {
    enum class Verb { Answer, Click, Select, DoubleClick, SysMenu, Wait };
    Verb verb = Verb::Wait;
    int line = 0;                     // in the file, from 1
    std::string text;                 // the action as written (without its comment), for messages
    int id = 0;                       // Click, Select, DoubleClick: the control
    int index = 0;                    // Select, DoubleClick: the entry, when given by its number
    std::optional<std::string> entry; // Select, DoubleClick: the entry, when given by its text
    unsigned command = 0;             // SysMenu
    int button = 0;                   // Answer: IDOK, IDCANCEL, IDYES, IDNO
    std::chrono::milliseconds wait{0};
};

struct ResponseFile {
    std::string path;
    std::vector<Action> actions;
    int lineCount = 0;
};

// Reads every action; on the first line that is not one, returns false with
// *error = "<path>:<line>: <what is wrong>".
bool ParseResponseFile(std::string_view text, const std::string &path, ResponseFile *out,
                       std::string *error);

} // namespace script
