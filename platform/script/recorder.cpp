#include "platform/script/recorder.h"

#include "platform/api.h"
#include "platform/framework/decimal_text.h"
#include "platform/framework/format_text.h"
#include "platform/framework/message_box_buttons.h"
#include "platform/mnemonic_text.h"
#include "platform/quoted_text.h"

#include <algorithm>

namespace script {

namespace {

// No wait line may ask for more than the grammar takes.
constexpr std::chrono::milliseconds kLongestWait{24LL * 60 * 60 * 1000};

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + vp::DecimalText(value);
}

// "   # <text>": a control's or menu item's text as the person saw it, on
// one line; nothing for an empty text.
std::string Comment(std::string_view text) {
    const std::string shown = vp::VisibleText(vp::ParseMnemonicText(text).shown);
    return shown.empty() ? std::string() : "   # " + shown;
}

std::string ClickLine(const ShownDialog &dialog, int id) {
    std::string line = "click " + vp::DecimalText(id);
    // Escape and the close box are click 2 also where no Cancel button is.
    const ShownControl *button = dialog.FindControl(id);
    if (button && button->kind == ShownControl::Kind::Button)
        line += Comment(button->text);
    return line;
}

std::string EntryLine(const ShownDialog &dialog, const Action &action) {
    std::string line = action.verb == Action::Verb::Select ? "select " : "dblclick ";
    line += vp::DecimalText(action.id);
    line += ' ';
    const ShownControl *list = dialog.FindControl(action.id);
    const bool named = list && list->kind == ShownControl::Kind::ListBox && action.index >= 0 &&
                       static_cast<std::size_t>(action.index) < list->entries.size();
    line += named ? vp::QuotedText(list->entries[static_cast<std::size_t>(action.index)])
                  : vp::DecimalText(action.index);
    return line;
}

std::string SysMenuLine(const ShownDialog &dialog, unsigned command) {
    char number[16];
    vp::FormatText(number, sizeof number, "0x%X", command);
    std::string line = "sysmenu ";
    line += number;
    // Minimise and restore are sent from outside the menu: no item to name.
    for (const ShownMenuItem &item : dialog.systemMenu)
        if (item.command == command)
            return line + Comment(std::string_view(item.text).substr(0, item.text.find('\t')));
    return line;
}

} // namespace

std::string RecordingHeader(std::string_view program, const LocalTime &when) {
    return "# Recorded by " + vp::VisibleText(program) + " on " + vp::DecimalText(when.year) + "-" +
           TwoDigits(when.month) + "-" + TwoDigits(when.day) + " at " + TwoDigits(when.hour) + ":" +
           TwoDigits(when.minute) + ":" + TwoDigits(when.second) + " (local time)\n";
}

std::string Recorder::Acted(const ShownDialog &dialog, const Action &action) {
    std::string line;
    switch (action.verb) {
    case Action::Verb::Click:
        line = ClickLine(dialog, action.id);
        break;
    case Action::Verb::Select:
    case Action::Verb::DoubleClick:
        line = EntryLine(dialog, action);
        break;
    case Action::Verb::SysMenu:
        // Moving the window changes nothing the setup sees, and on Windows
        // the command waits for the mouse or the arrow keys.
        if (action.command == SC_MOVE)
            return {};
        line = SysMenuLine(dialog, action.command);
        break;
    case Action::Verb::Wait:
        TimePassed(action.wait);
        return {};
    case Action::Verb::Answer: // a message box's, see Answered
        return {};
    }
    return Before(dialog) + line + "\n";
}

std::string Recorder::Answered(const ShownMessageBox &box, int button) {
    const char *word = ui::AnswerWord(button);
    if (!word)
        return {};
    return Waited() + "answer " + word + Comment(box.caption) + "\n";
}

void Recorder::TimePassed(std::chrono::nanoseconds time) {
    m_waited += time;
}

std::string Recorder::DialogEnded(const ShownDialog &dialog) {
    std::string lines = m_waited >= std::chrono::milliseconds(1) ? Before(dialog) : "";
    // A part of a millisecond left over would shift the next dialog's timers.
    m_waited = {};
    return lines;
}

std::string Recorder::Before(const ShownDialog &dialog) {
    std::string lines;
    if (dialog.templateId != m_headed) {
        m_headed = dialog.templateId;
        lines = "# dialog " + vp::DecimalText(dialog.templateId) + " " +
                vp::QuotedText(dialog.title) + "\n";
    }
    return lines + Waited();
}

// Whole milliseconds, cut rather than rounded: the timers fall due at whole
// milliseconds, so a wait cut short of one never fires a tick that did not
// fire, and the part left over counts on towards the next wait.
std::string Recorder::Waited() {
    std::string lines;
    auto whole = std::chrono::floor<std::chrono::milliseconds>(m_waited);
    m_waited -= whole;
    for (; whole > std::chrono::milliseconds(0); whole -= std::min(whole, kLongestWait))
        lines += "wait " + vp::DecimalText(std::min(whole, kLongestWait).count()) + "\n";
    return lines;
}

} // namespace script
