// The recording (/record <file>): every choice of a run written down as a
// response file that replays the same setup on another PC. Each build tells
// the recorder what showed and what the person or script did; the recorder
// makes the lines:
//
//   # Recorded by veltrin on 2026-12-10 at 10:15:30 (local time)
//   # dialog 132 "Quorvane File and Printer Sharing Selection"
//   select 1011 "[-E-DRIVE]"          list entries by their text
//   click 1002   # >>                 buttons by id, their text in a comment
//   sysmenu 0x10   # About velpasto...
//   answer ok   # Reminder            the message box's caption in a comment
//   wait 4500                         the time that let the dialog's timers run
//
// The "# dialog" line comes before the first line of each dialog in turn, so
// a person can read where each choice was made.
#pragma once

#include "platform/script/response_file.h"
#include "platform/script/showing.h"

#include <chrono>
#include <string>
#include <string_view>

namespace script {

struct LocalTime {
    int year = 0, month = 0, day = 0; // month and day from 1
    int hour = 0, minute = 0, second = 0;
};

// The recording's first line: what made it and when.
std::string RecordingHeader(std::string_view program, const LocalTime &when);

// The recording of one process of a run. Each call gives the whole lines it
// makes (each ending "\n", none when there is nothing to write yet), to be
// written at once.
class Recorder {
  public:
    // An action that reached the dialog: click, select, dblclick or sysmenu,
    // taken before the dialog acts on it (a list entry is named by its text
    // before the list changes). A wait only adds its time.
    std::string Acted(const ShownDialog &dialog, const Action &action);
    // The answer to a message box: IDOK, IDCANCEL, IDYES, IDNO, ...
    std::string Answered(const ShownMessageBox &box, int button);
    // Time that passed while a dialog's timers ran: summed, and written as one
    // wait before the next action or when the dialog ends.
    void TimePassed(std::chrono::nanoseconds time);
    std::string DialogEnded(const ShownDialog &dialog);

  private:
    // The heading when the dialog is another than the last one's, then the
    // time waited.
    std::string Before(const ShownDialog &dialog);
    std::string Waited();

    std::chrono::nanoseconds m_waited{0};
    int m_headed = 0; // the template of the last dialog heading; 0 for none
};

} // namespace script
