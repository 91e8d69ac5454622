#include "platform/framework/transcript_lines.h"

#include "platform/framework/decimal_text.h"
#include "platform/framework/message_box_buttons.h"

namespace ui::transcript {

namespace {

// "dialog <template id> <event>", the start of a dialog's lines.
std::string DialogLine(int templateId, const char *event) {
    std::string line = "dialog ";
    line += vp::DecimalText(templateId);
    line += event;
    return line;
}

} // namespace

std::string MessageBoxLine(std::string_view caption, std::string_view text, UINT style,
                           std::optional<int> ownerTemplateId) {
    std::string line = "msgbox ";
    line += Quote(caption);
    line += ' ';
    line += Quote(text);
    line += ' ';
    line += vp::DecimalText(style);
    line += " owner=";
    if (ownerTemplateId)
        line += vp::DecimalText(*ownerTemplateId);
    else
        line += "none";
    return line;
}

std::string AnswerLine(int button) {
    std::string line = "answer ";
    if (const char *word = AnswerWord(button))
        line += word;
    else
        line += vp::DecimalText(button);
    return line;
}

std::string DialogOpenLine(int templateId, std::string_view title) {
    std::string line = DialogLine(templateId, " open ");
    line += Quote(title);
    return line;
}

std::string ListLine(int id, const std::vector<std::string> &entries) {
    std::string line = "list ";
    line += vp::DecimalText(id);
    for (const std::string &entry : entries)
        AppendListEntry(line, entry);
    return line;
}

void AppendListEntry(std::string &line, std::string_view entry) {
    line += ' ';
    line += Quote(entry);
}

std::string CheckLine(int id, bool checked) {
    std::string line = "check ";
    line += vp::DecimalText(id);
    line += checked ? " 1" : " 0";
    return line;
}

std::string DialogEndLine(int templateId, int result) {
    std::string line = DialogLine(templateId, " end ");
    line += vp::DecimalText(result);
    return line;
}

} // namespace ui::transcript
