#include "platform/framework/transcript_lines.h"

#include "platform/decimal_text.h"
#include "platform/framework/message_box_buttons.h"

namespace ui::transcript {

std::string MessageBoxLine(std::string_view caption, std::string_view text, UINT style,
                           std::optional<int> ownerTemplateId) {
    return "msgbox " + Quote(caption) + " " + Quote(text) + " " + vp::DecimalText(style) +
           " owner=" + (ownerTemplateId ? vp::DecimalText(*ownerTemplateId) : "none");
}

std::string AnswerLine(int button) {
    const char *word = AnswerWord(button);
    return "answer " + (word ? std::string(word) : vp::DecimalText(button));
}

std::string DialogOpenLine(int templateId, std::string_view title) {
    return "dialog " + vp::DecimalText(templateId) + " open " + Quote(title);
}

std::string ListLine(int id, const std::vector<std::string> &entries) {
    std::string line = "list " + vp::DecimalText(id);
    for (const std::string &entry : entries)
        line += " " + Quote(entry);
    return line;
}

std::string CheckLine(int id, bool checked) {
    return "check " + vp::DecimalText(id) + (checked ? " 1" : " 0");
}

std::string DialogEndLine(int templateId, int result) {
    return "dialog " + vp::DecimalText(templateId) + " end " + vp::DecimalText(result);
}

} // namespace ui::transcript
