#include "wayback/reg_sections.h"

#include "platform/regedit4_lines.h"

namespace {

class SectionSink final : public vp::Regedit4Sink {
  public:
    SectionSink(RegText *out, RegLineCheck *check) : m_out(out), m_check(check) {}

    std::string_view KeyLine(std::string_view path, bool remove) override {
        if (m_check)
            if (const std::string_view fault = m_check->Key(path, remove); !fault.empty())
                return fault;
        m_out->sections.push_back({std::string(path), remove, {}});
        return {};
    }

    std::string_view ValueLine(std::string_view name, bool remove, std::uint32_t type,
                               std::string_view data) override {
        RegSection &section = m_out->sections.back();
        if (m_check)
            if (const std::string_view fault = m_check->Value(section.path, name); !fault.empty())
                return fault;
        section.values.push_back(
            {std::string(name), remove, remove ? REG_NONE : type, std::string(data)});
        return {};
    }

    void CommentLine(std::string_view text) override { m_out->notes.emplace_back(text); }

  private:
    RegText *m_out;
    RegLineCheck *m_check;
};

} // namespace

std::string FormatRegText(const RegText &text) {
    std::string out = "REGEDIT4\r\n";
    for (const std::string &note : text.notes)
        out += "; " + note + "\r\n";
    return out + "\r\n" + FormatRegSections(text.sections);
}

std::string FormatRegSections(const std::vector<RegSection> &sections) {
    std::string out;
    for (const RegSection &section : sections) {
        vp::AppendRegedit4KeyLine(out, section.path, section.removeKey);
        for (const RegValueLine &value : section.values) {
            if (value.remove) {
                vp::AppendRegedit4Name(out, value.name);
                out += "=-\r\n";
            } else {
                vp::AppendRegedit4Value(out, value.name, value.type, value.data);
            }
        }
        out += "\r\n";
    }
    return out;
}

bool ParseRegText(std::string_view text, RegText *out, vp::Regedit4Error *error,
                  RegLineCheck *check) {
    *out = {};
    SectionSink sink(out, check);
    return vp::ReadRegedit4(text, sink, error);
}
