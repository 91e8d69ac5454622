// The answers of a scripted run (VELTRIN_UI=script:<file>), the same in
// every build: the response file, how far the run has read it, and whether
// an action fits what is showing. An action that does not fit, or a file
// that ends while something waits, stops the program with
// "<program>: <file>:<line>: ..." on the standard error and exit status 3.
#pragma once

#include "platform/api.h"
#include "platform/script/response_file.h"
#include "platform/script/shared_position.h"

#include <string>
#include <string_view>
#include <vector>

namespace script {

// What is showing, as the messages name it.
std::string DialogShowing(int templateId, std::string_view title);
std::string MessageBoxShowing(std::string_view caption);

class Answers {
  public:
    // Reads the file and joins (or starts) the run's position; stops the
    // program when the file cannot be read, has a wrong line, or its
    // position cannot be kept.
    explicit Answers(const std::string &path);
    Answers(const Answers &) = delete;
    Answers &operator=(const Answers &) = delete;

    // The next action for what is showing; the end of the file stops the run.
    const Action &Next(std::string_view showing);
    // The action being applied; null before the first.
    const Action *Last() const { return m_last; }

    // The button the action presses in a message box of `style`; stops the
    // run when it is no answer or names a button the box lacks.
    int ButtonFor(const Action &action, UINT style, std::string_view showing) const;
    // The entry a select or dblclick names in a list of these entries: its
    // number, or the first entry of its text; stops the run when the list
    // has no entry of that text.
    int EntryFor(const Action &action, const std::vector<std::string> &entries,
                 std::string_view showing) const;
    // Stops the run when the action is an answer: a dialog waits.
    void CheckForDialog(const Action &action, std::string_view showing) const;
    [[noreturn]] void DoesNotFit(const Action &action, std::string_view why,
                                 std::string_view showing) const;

  private:
    [[noreturn]] void Stop(int line, std::string_view problem, std::string_view showing) const;

    ResponseFile m_file;
    SharedPosition m_position;
    const Action *m_last = nullptr;
};

} // namespace script
