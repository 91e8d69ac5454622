#include "platform/sim/registry/writer.h"

#include "platform/regedit4_lines.h"

namespace sim::reg {

namespace {

void AppendValue(std::string &out, const Value &value) {
    vp::AppendRegedit4Value(out, value.name, value.type, value.data);
}

void AppendKey(std::string &out, const Key &key, std::string &path, bool header) {
    if (header || key.values.Size() > 0) {
        vp::AppendRegedit4KeyLine(out, path, false);
        for (std::size_t i = 0; i < key.values.Size(); ++i)
            AppendValue(out, key.values.At(i));
        out += "\r\n";
    }
    for (std::size_t i = 0; i < key.subkeys.Size(); ++i) {
        const Key &sub = key.subkeys.At(i);
        std::size_t length = path.size();
        if (length)
            path.push_back('\\');
        path += sub.name;
        AppendKey(out, sub, path, true);
        path.resize(length);
    }
}

} // namespace

void WriteRegedit4(const Key &key, std::string_view path, std::string *out) {
    out->clear();
    out->append("REGEDIT4\r\n\r\n");
    std::string keyPath(path);
    AppendKey(*out, key, keyPath, !keyPath.empty());
}

void ChangeText::DeleteKey(std::string_view path) {
    vp::AppendRegedit4KeyLine(m_text, path, true);
    m_text += "\r\n";
}

void ChangeText::SetValues(std::string_view path, const Key &key) {
    vp::AppendRegedit4KeyLine(m_text, path, false);
    for (std::size_t i = 0; i < key.values.Size(); ++i)
        AppendValue(m_text, key.values.At(i));
    m_text += "\r\n";
}

void ChangeText::DeleteValue(std::string_view path, std::string_view name) {
    vp::AppendRegedit4KeyLine(m_text, path, false);
    vp::AppendRegedit4Name(m_text, name);
    m_text += "=-\r\n\r\n";
}

std::string WriteRegedit4(const Key &key, std::string_view path) {
    std::string out;
    WriteRegedit4(key, path, &out);
    return out;
}

} // namespace sim::reg
