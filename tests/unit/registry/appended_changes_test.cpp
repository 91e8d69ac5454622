// Changes appended to registry.reg: read back as the whole file would be,
// left out when cut short, undone when the disk fills during the write, and
// folded into a whole file again once they outgrow it.
#include "platform/api.h"
#include "platform/sim/registry/appended_changes.h"
#include "platform/sim/registry/store.h"
#include "platform/sim/registry/writer.h"
#include "tests/testkit/testkit.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace std::string_literals;

namespace {

using sim::reg::ChangeText;
using sim::reg::Key;

class AppendedChanges : public testing::Test {
  protected:
    void SetUp() override {
        std::string body;
        for (int i = 0; i < 50; ++i)
            body += "[HKEY_LOCAL_MACHINE\\Ballast\\K" + std::to_string(i) +
                    "]\r\n\"v\"=\"some text\"\r\n\r\n";
        machine.SetRegistry(body + "[HKEY_LOCAL_MACHINE\\Shares\\OLD]\r\n\"Path\"=\"C:\\\\\"\r\n"
                                   "\"Remark\"=\"gone soon\"\r\n\r\n");
        machine.Use();
    }

    std::string RegPath() const { return machine.Dir() + "/registry.reg"; }

    ino_t Inode() const {
        struct stat st {};
        stat(RegPath().c_str(), &st);
        return st.st_ino;
    }

    // The registry as this process, which made the changes, holds it.
    static std::string OwnView() {
        std::string text, error;
        return sim::reg::ExportText("", &text, &error) ? text : "error: " + error;
    }

    static bool Apply(const std::function<void(ChangeText *)> &write, LONG *code = nullptr) {
        return sim::reg::ApplyChange(
            [&](const Key &, ChangeText *change) {
                write(change);
                return true;
            },
            nullptr, code);
    }

    static Key Values(const std::vector<std::pair<std::string, std::string>> &strings) {
        Key key;
        for (const auto &[name, text] : strings)
            key.SetValue(name, REG_SZ, text + '\0');
        return key;
    }

    testkit::TempMachine machine;
};

TEST_F(AppendedChanges, ReadBackAsTheWholeFileWouldBe) {
    const std::string before = machine.ReadRegistry();
    const ino_t inode = Inode();
    ASSERT_TRUE(Apply([](ChangeText *change) {
        change->SetValues("Shares\\NEW", Values({{"Path", "D:\\"}, {"Remark", "say \"hi\""}}));
        change->DeleteKey("Ballast\\K7");
        change->DeleteValue("Shares\\OLD", "Remark");
    }));
    ASSERT_TRUE(Apply([](ChangeText *change) { change->DeleteKey("shares\\new"); }));
    ASSERT_TRUE(Apply([](ChangeText *change) {
        change->SetValues("Shares\\New", Values({{"", "default"}}));
    }));

    const std::string after = machine.ReadRegistry();
    EXPECT_EQ(Inode(), inode) << "written whole, not appended";
    EXPECT_EQ(after.substr(0, before.size()), before);
    const std::string saved = machine.SavedRegistry();
    EXPECT_EQ(saved, OwnView());
    const std::string shares = saved.substr(saved.find("[HKEY_LOCAL_MACHINE\\Shares]"));
    EXPECT_EQ(shares, "[HKEY_LOCAL_MACHINE\\Shares]\r\n\r\n"
                      "[HKEY_LOCAL_MACHINE\\Shares\\OLD]\r\n\"Path\"=\"C:\\\\\"\r\n\r\n"
                      "[HKEY_LOCAL_MACHINE\\Shares\\New]\r\n@=\"default\"\r\n\r\n");
    EXPECT_EQ(saved.find("Ballast\\K7]"), std::string::npos);

    // A person may still add to the file by hand after the appended changes.
    testkit::WriteFile(RegPath(), after + "[HKEY_LOCAL_MACHINE\\Hand]\r\n\"x\"=\"1\"\r\n");
    EXPECT_NE(machine.SavedRegistry().find("[HKEY_LOCAL_MACHINE\\Hand]\r\n\"x\"=\"1\"\r\n"),
              std::string::npos);
    EXPECT_EQ(machine.SavedRegistry(), OwnView());
}

TEST_F(AppendedChanges, ACutChangeIsLeftOutAndTheNextWriteIsWhole) {
    const std::string old = machine.SavedRegistry();
    const std::string before = machine.ReadRegistry();
    ASSERT_TRUE(Apply([](ChangeText *change) {
        change->SetValues("Shares\\NEW", Values({{"Path", "D:\\"}, {"Remark", "new"}}));
        change->DeleteKey("Shares\\OLD");
    }));
    const std::string full = machine.ReadRegistry();
    const std::string changed = machine.SavedRegistry();
    ASSERT_NE(changed, old);
    for (std::size_t cut = before.size(); cut < full.size(); ++cut) {
        testkit::WriteFile(RegPath(), full.substr(0, cut));
        ASSERT_EQ(machine.SavedRegistry(), old) << "cut after " << cut - before.size() << " bytes";
    }
    testkit::WriteFile(RegPath(), full);
    EXPECT_EQ(machine.SavedRegistry(), changed);

    testkit::WriteFile(RegPath(), full.substr(0, full.size() - 20));
    const ino_t inode = Inode();
    ASSERT_TRUE(Apply([](ChangeText *change) { change->DeleteKey("Ballast"); }));
    EXPECT_NE(Inode(), inode) << "appended after a cut change";
    EXPECT_EQ(machine.ReadRegistry(), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Shares]\r\n\r\n"
                                      "[HKEY_LOCAL_MACHINE\\Shares\\OLD]\r\n\"Path\"=\"C:\\\\\"\r\n"
                                      "\"Remark\"=\"gone soon\"\r\n\r\n");
}

// Only a frame this writer made counts as one: a hand-written comment that
// reads like a begin line, a frame whose checksum or length does not hold,
// and the bare frame lines of earlier versions are comments, and what
// follows them is read and kept by the next write.
TEST_F(AppendedChanges, LinesThatLookLikeAFrameAreComments) {
    const std::string share = "[HKEY_LOCAL_MACHINE\\Shares\\HAND]\r\n\"Path\"=\"E:\\\\\"\r\n\r\n";
    const std::string sections = "[HKEY_LOCAL_MACHINE\\Shares\\X]\r\n\"v\"=\"1\"\r\n\r\n";
    const std::string size = std::to_string(sections.size());
    const std::string framed = sim::reg::FramedChange(sections);
    const std::string sum = framed.substr(framed.find(sections) - 10, 8);
    EXPECT_EQ(sim::reg::Crc32("123456789"), 0xCBF43926u); // the standard check value
    const std::string looksLikeAFrame[] = {
        "; change begins\r\n",
        "\r\n; change begins\r\n",
        "\r\n; change begins " + size + " 00000000\r\n" + sections + "; change ends\r\n",
        "\r\n; change begins " + std::to_string(sections.size() - 1) + " " + sum + "\r\n" +
            sections + "; change ends\r\n",
        "\r\n; change begins 0" + size + " " + sum + "\r\n" + sections + "; change ends\r\n",
        "\r\n; change begins\r\n" + sections + "; change ends\r\n",
    };
    const std::string tail = machine.ReadRegistry().substr(std::string("REGEDIT4\r\n\r\n").size());
    for (const std::string &lines : looksLikeAFrame) {
        SCOPED_TRACE(lines);
        testkit::WriteFile(RegPath(), "REGEDIT4\r\n\r\n" + lines + share + tail);
        const std::string read = machine.SavedRegistry();
        EXPECT_NE(read.find("Shares\\HAND]"), std::string::npos);
        EXPECT_NE(read.find("Shares\\OLD]"), std::string::npos);
        EXPECT_NE(read.find("Ballast\\K49]"), std::string::npos);
        ASSERT_TRUE(Apply([](ChangeText *change) { change->DeleteKey("Ballast\\K0"); }));
        const std::string written = machine.SavedRegistry();
        EXPECT_NE(written.find("Shares\\HAND]"), std::string::npos);
        EXPECT_NE(written.find("Shares\\OLD]"), std::string::npos);
        EXPECT_EQ(written.find("Ballast\\K0]"), std::string::npos);
        EXPECT_EQ(written, OwnView());
    }
}

TEST_F(AppendedChanges, AFullDiskDuringTheWriteLeavesTheFileAsItWas) {
    const std::string before = machine.ReadRegistry();
    const int result = regtest::InChild([&] {
        // Room for part of the change only.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t room = before.size() + 40;
        const rlimit limit{room, room};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 99;
        LONG code = 0;
        const bool saved = Apply(
            [](ChangeText *change) {
                change->SetValues("Shares\\NEW", Values({{"Remark", std::string(200, 'x')}}));
            },
            &code);
        return saved ? 1 : code == ERROR_WRITE_FAULT ? 0 : 2;
    });
    if (result == 99)
        GTEST_SKIP() << "no file size limit here";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(machine.ReadRegistry(), before);
}

TEST_F(AppendedChanges, OutgrownChangesAreFoldedIntoAWholeFile) {
    // Each change outweighs the whole registry, ballast and all: well before
    // the end, the file has been written whole again.
    const std::string text(4000, 'x');
    std::size_t largest = 0;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(Apply([&](ChangeText *change) {
            change->SetValues("Counter", Values({{"n", std::to_string(i)}, {"text", text}}));
        }));
        largest = std::max(largest, machine.ReadRegistry().size());
    }
    EXPECT_LT(largest, 64u * 1024 + 2 * 8000u);
    EXPECT_NE(machine.SavedRegistry().find("[HKEY_LOCAL_MACHINE\\Counter]\r\n\"n\"=\"39\""),
              std::string::npos);
    EXPECT_EQ(machine.SavedRegistry(), OwnView());
}

} // namespace
