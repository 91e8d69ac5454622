// The Windows build compiles app.rc with windres; the other renderers read
// it with our reader. This compiles the script with windres, where one is
// installed, and checks that both see the same resources.
#include "expect_dialog.h"
#include "res/templates.h"
#include "tests/testkit/testkit.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kTypeIcon = 3;
constexpr int kTypeDialog = 5;
constexpr int kTypeString = 6;
constexpr int kTypeGroupIcon = 14;
constexpr int kEnglishUs = 0x0409;
constexpr std::uint32_t kSetFont = 0x40;

int Shell(const std::string &command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string FindWindres() {
    for (const char *name : {"x86_64-w64-mingw32-windres", "i686-w64-mingw32-windres", "windres"}) {
        if (Shell(std::string(name) + " --version >/dev/null 2>&1") == 0)
            return name;
    }
    return {};
}

std::string ReadFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fresh folder for windres's output, removed at the end of the test.
struct TempDir {
    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "vp-windres-XXXXXX").string();
        if (mkdtemp(name.data()))
            path = name;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::filesystem::path path;
};

// Little-endian reads from a .res file; a read past the end fails the test
// and gives 0, so a short file cannot run away.
class Bytes {
  public:
    explicit Bytes(std::string data) : m_data(std::move(data)) {}
    std::size_t Size() const { return m_data.size(); }
    unsigned Word(std::size_t at) const {
        if (at + 2 > m_data.size()) {
            ADD_FAILURE() << "read past the end at " << at;
            return 0;
        }
        return static_cast<unsigned char>(m_data[at]) |
               static_cast<unsigned>(static_cast<unsigned char>(m_data[at + 1])) << 8;
    }
    std::uint32_t Dword(std::size_t at) const { return Word(at) | Word(at + 2) << 16; }
    int Short(std::size_t at) const { return static_cast<std::int16_t>(Word(at)); }
    std::string Slice(std::size_t at, std::size_t size) const { return m_data.substr(at, size); }

    // A name or ordinal field: 0xFFFF and a number, or a NUL-ended UTF-16
    // string (ASCII here). Moves *at past it.
    std::string NameOrOrdinal(std::size_t *at, int *ordinal) const {
        *ordinal = -1;
        if (Word(*at) == 0xFFFF) {
            *ordinal = static_cast<int>(Word(*at + 2));
            *at += 4;
            return {};
        }
        return WideString(at);
    }
    std::string WideString(std::size_t *at) const {
        std::string text;
        for (unsigned c = Word(*at); c != 0 && *at < m_data.size(); c = Word(*at)) {
            text += c < 0x100 ? static_cast<char>(c) : '?';
            *at += 2;
        }
        *at += 2;
        return text;
    }

  private:
    std::string m_data;
};

std::size_t Align4(std::size_t at) {
    return (at + 3) & ~std::size_t{3};
}

struct Entry {
    int type, name, language;
    Bytes data;
};

std::vector<Entry> ReadRes(const Bytes &file) {
    std::vector<Entry> entries;
    for (std::size_t at = 0; at + 32 <= file.Size();) {
        const std::uint32_t dataSize = file.Dword(at);
        const std::uint32_t headerSize = file.Dword(at + 4);
        std::size_t field = at + 8;
        int type = 0;
        int name = 0;
        const std::string typeName = file.NameOrOrdinal(&field, &type);
        const std::string nameName = file.NameOrOrdinal(&field, &name);
        EXPECT_TRUE(typeName.empty() && nameName.empty()) << "named resource " << nameName;
        field = Align4(field);
        const int language = static_cast<int>(file.Word(field + 6));
        if (dataSize > 0)
            entries.push_back({type, name, language, Bytes(file.Slice(at + headerSize, dataSize))});
        at = Align4(at + headerSize + dataSize);
    }
    return entries;
}

const char *ClassOfAtom(int atom) {
    static const char *const names[] = {"BUTTON",  "EDIT",      "STATIC",
                                        "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    return atom >= 0x80 && atom <= 0x85 ? names[atom - 0x80] : "?";
}

res::DialogTemplate ReadDialog(int id, const Bytes &b) {
    res::DialogTemplate d;
    d.id = id;
    d.style = b.Dword(0);
    const unsigned count = b.Word(8);
    d.x = b.Short(10);
    d.y = b.Short(12);
    d.cx = b.Short(14);
    d.cy = b.Short(16);
    std::size_t at = 18;
    int ordinal = 0;
    EXPECT_EQ(b.NameOrOrdinal(&at, &ordinal), "") << "no menu";
    EXPECT_EQ(b.NameOrOrdinal(&at, &ordinal), "") << "no class";
    d.caption = b.WideString(&at);
    if (d.style & kSetFont) {
        d.fontPoints = static_cast<int>(b.Word(at));
        at += 2;
        d.fontName = b.WideString(&at);
    }
    for (unsigned i = 0; i < count; ++i) {
        at = Align4(at);
        res::ControlTemplate c;
        c.style = b.Dword(at);
        c.x = b.Short(at + 8);
        c.y = b.Short(at + 10);
        c.cx = b.Short(at + 12);
        c.cy = b.Short(at + 14);
        c.id = static_cast<int>(b.Word(at + 16));
        at += 18;
        int atom = 0;
        c.cls = b.NameOrOrdinal(&at, &atom);
        if (atom >= 0)
            c.cls = ClassOfAtom(atom);
        int textOrdinal = 0;
        c.text = b.NameOrOrdinal(&at, &textOrdinal);
        if (textOrdinal >= 0)
            c.text = std::to_string(textOrdinal);
        at += 2 + b.Word(at); // creation data
        d.controls.push_back(c);
    }
    return d;
}

TEST(Windres, CompilesTheScriptToWhatTheReaderReads) {
    const std::string windres = FindWindres();
    if (windres.empty())
        GTEST_SKIP() << "no windres installed";
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    const std::string script = testkit::SourcePath("res/app.rc");
    const auto out = dir.path / "app.res";
    const auto log = dir.path / "windres.log";
    const int status = Shell(windres + " -O res -i '" + script + "' -o '" + out.string() + "' >'" +
                             log.string() + "' 2>&1");
    ASSERT_EQ(status, 0) << ReadFile(log);
    EXPECT_EQ(ReadFile(log), "") << "windres should not warn";

    const res::ResourceScript &resources = res::Resources();
    std::set<int> dialogs;
    std::map<int, std::string> strings;
    std::map<int, std::string> iconImages;
    std::vector<Entry> groups;
    for (const Entry &e : ReadRes(Bytes(ReadFile(out)))) {
        SCOPED_TRACE("type " + std::to_string(e.type) + " name " + std::to_string(e.name));
        EXPECT_EQ(e.language, kEnglishUs);
        if (e.type == kTypeDialog) {
            dialogs.insert(e.name);
            const res::DialogTemplate *mine = res::FindDialog(e.name);
            ASSERT_NE(mine, nullptr);
            ExpectSameDialog(ReadDialog(e.name, e.data), *mine);
        } else if (e.type == kTypeString) {
            std::size_t at = 0;
            for (int i = 0; i < 16; ++i) {
                const unsigned length = e.data.Word(at);
                std::string text;
                for (unsigned k = 0; k < length; ++k)
                    text += static_cast<char>(e.data.Word(at + 2 + 2 * k));
                if (length > 0)
                    strings[(e.name - 1) * 16 + i] = text;
                at += 2 + 2 * length;
            }
        } else if (e.type == kTypeIcon) {
            iconImages[e.name] = e.data.Slice(0, e.data.Size());
        } else if (e.type == kTypeGroupIcon) {
            groups.push_back(e);
        } else {
            ADD_FAILURE() << "unexpected resource";
        }
    }
    std::set<int> mine;
    for (const auto &[id, dialog] : resources.dialogs)
        mine.insert(id);
    EXPECT_EQ(dialogs, mine);
    EXPECT_EQ(strings, resources.strings);

    // Each icon group lists the images of its .ico, in order, byte for byte.
    ASSERT_EQ(groups.size(), resources.icons.size());
    for (const Entry &group : groups) {
        const auto ico = res::IconBytes(group.name);
        ASSERT_FALSE(ico.empty()) << group.name;
        const Bytes file(std::string(ico.begin(), ico.end()));
        const unsigned count = group.data.Word(4);
        ASSERT_EQ(count, file.Word(4));
        for (unsigned i = 0; i < count; ++i) {
            const std::size_t entry = 6 + 14 * i;
            const std::size_t fileEntry = 6 + 16 * i;
            EXPECT_EQ(group.data.Slice(entry, 4), file.Slice(fileEntry, 4)) << "size and colours";
            const int imageId = static_cast<int>(group.data.Word(entry + 12));
            EXPECT_EQ(iconImages[imageId],
                      file.Slice(file.Dword(fileEntry + 12), file.Dword(fileEntry + 8)));
        }
    }
}

} // namespace
