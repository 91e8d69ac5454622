#include "platform/framework/transcript_lines.h"

#include "platform/framework/message_box_buttons.h"

namespace ui::transcript {

std::string MessageBoxLine(std::string_view caption, std::string_view text, UINT style,
                           std::optional<int> ownerTemplateId) {
    return "msgbox " + Quote(caption) + " " + Quote(text) + " " + std::to_string(style) +
           " owner=" + (ownerTemplateId ? std::to_string(*ownerTemplateId) : "none");
}

std::string AnswerLine(int button) {
    const char *word = AnswerWord(button);
    return "answer " + (word ? std::string(word) : std::to_string(button));
}

std::string DialogOpenLine(int templateId, std::string_view title) {
    return "dialog " + std::to_string(templateId) + " open " + Quote(title);
}

std::string ListLine(int id, const std::vector<std::string> &entries) {
    std::string line = "list " + std::to_string(id);
    for (const std::string &entry : entries)
        line += " " + Quote(entry);
    return line;
}

std::string CheckLine(int id, bool checked) {
    return "check " + std::to_string(id) + (checked ? " 1" : " 0");
}

std::string DialogEndLine(int templateId, int result) {
    return "dialog " + std::to_string(templateId) + " end " + std::to_string(result);
}

} // namespace ui::transcript
