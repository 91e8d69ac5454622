#include "common/reg_sections.h"

#include "platform/regedit4_lines.h"

namespace {

class SectionSink final : public vp::Regedit4Sink {
  public:
    explicit SectionSink(RegText *out) : m_out(out) {}

    std::string_view KeyLine(std::string_view path, bool remove) override {
        m_out->sections.push_back({std::string(path), remove, {}});
        return {};
    }

    void ValueLine(std::string_view name, bool remove, std::uint32_t type,
                   std::string_view data) override {
        m_out->sections.back().values.push_back(
            {std::string(name), remove, remove ? REG_NONE : type, std::string(data)});
    }

    void CommentLine(std::string_view text) override { m_out->notes.emplace_back(text); }

  private:
    RegText *m_out;
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

bool ParseRegText(std::string_view text, RegText *out, vp::Regedit4Error *error) {
    *out = {};
    SectionSink sink(out);
    return vp::ReadRegedit4(text, sink, error);
}
