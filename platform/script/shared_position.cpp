#include "platform/script/shared_position.h"

#include "platform/digit_value.h"
#include "platform/framework/decimal_text.h"

namespace script {

namespace {

constexpr const char *kPositionVariable = "VELTRIN_SCRIPT_POS";

// The decimal number the file starts with; 0 for anything else.
std::size_t Number(std::string_view text) {
    std::size_t value = 0;
    for (const char c : text) {
        const int digit = vp::DigitValue(c);
        if (digit < 0 || digit > 9)
            break;
        value = value * 10 + static_cast<std::size_t>(digit);
    }
    return value;
}

// Another process of the run may take an action at the same time.
class Hold {
  public:
    explicit Hold(host::SharedFile &file) : m_file(file) { m_file.Lock(); }
    ~Hold() { m_file.Unlock(); }
    Hold(const Hold &) = delete;
    Hold &operator=(const Hold &) = delete;

  private:
    host::SharedFile &m_file;
};

} // namespace

bool SharedPosition::Open(const std::string &absolutePath, std::string *error) {
    const std::string path = absolutePath + ".pos";
    std::string why;
    if (!m_file.Open(path, &why)) {
        *error = "cannot keep the position of the response file in " + path + ": " + why;
        return false;
    }
    if (host::Variable(kPositionVariable) != path) {
        Hold hold(m_file);
        Store(0);
        host::SetVariable(kPositionVariable, path);
    }
    return true;
}

std::size_t SharedPosition::Take() {
    Hold hold(m_file);
    const std::size_t position = Number(m_file.Read());
    Store(position + 1);
    return position;
}

// Failing to record the position would replay actions in the next process;
// that shows as a script error there, so it is not fatal here.
void SharedPosition::Store(std::size_t position) {
    m_file.Replace(vp::DecimalText(position) + "\n");
}

} // namespace script
