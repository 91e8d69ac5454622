#include "platform/sim/registry/tree.h"
#include "tests/unit/registry/registry_test_util.h"

#include <gtest/gtest.h>

using sim::reg::CreateKey;
using sim::reg::FindKey;
using sim::reg::Key;

namespace {

std::vector<std::string> SubkeyNames(const Key &key) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < key.subkeys.Size(); ++i)
        names.emplace_back(key.subkeys.At(i).name);
    return names;
}

std::vector<std::string> ValueNames(const Key &key) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < key.values.Size(); ++i)
        names.emplace_back(key.values.At(i).name);
    return names;
}

TEST(RegTree, NamesMatchIgnoringAsciiCaseAndKeepTheirOwn) {
    Key root;
    Key *net = CreateKey(root, "Software\\Microsoft\\Network");
    EXPECT_EQ(CreateKey(root, "SOFTWARE\\microsoft\\NETWORK"), net);
    EXPECT_EQ(FindKey(root, "software\\MICROSOFT\\network"), net);
    EXPECT_EQ(SubkeyNames(root), std::vector<std::string>{"Software"});
    net->SetValue("Path", 1, "x");
    net->SetValue("PATH", 1, "y");
    ASSERT_NE(net->FindValue("path"), nullptr);
    EXPECT_EQ(net->FindValue("path")->name, "Path");
    EXPECT_EQ(net->FindValue("path")->data, "y");
    // bytes above 0x7f are not folded
    CreateKey(root, "\xe9");
    EXPECT_EQ(FindKey(root, "\xc9"), nullptr);
}

TEST(RegTree, EnumerationKeepsCreationOrderThroughRemovals) {
    Key root;
    for (const char *name : {"c", "a", "d", "b", "e"})
        root.AddSubkey(name);
    EXPECT_TRUE(root.DeleteSubkey("A"));
    EXPECT_TRUE(root.DeleteSubkey("b"));
    EXPECT_FALSE(root.DeleteSubkey("b"));
    root.AddSubkey("a");
    EXPECT_EQ(SubkeyNames(root), (std::vector<std::string>{"c", "d", "e", "a"}));
    EXPECT_TRUE(root.DeleteSubkey("d"));
    EXPECT_EQ(FindKey(root, "e"), &root.subkeys.At(1));
    EXPECT_EQ(SubkeyNames(root), (std::vector<std::string>{"c", "e", "a"}));

    Key *key = CreateKey(root, "v");
    for (const char *name : {"z", "y", "x"})
        key->SetValue(name, 4, "1234");
    key->DeleteValue("Y");
    key->SetValue("Z", 4, "5678"); // replaced in place
    EXPECT_EQ(ValueNames(*key), (std::vector<std::string>{"z", "x"}));
}

TEST(RegTree, PathsWithSeparators) {
    Key root;
    Key *b = CreateKey(root, "\\a\\b\\\\");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(FindKey(root, "a\\b"), b);
    EXPECT_EQ(FindKey(root, ""), &root);
    EXPECT_EQ(CreateKey(root, "a\\\\c"), nullptr); // empty name inside
    EXPECT_EQ(FindKey(root, "a\\c"), nullptr);     // and nothing created
    EXPECT_EQ(CreateKey(root, std::string("x\ny")), nullptr);
    std::string deep = "k";
    for (int i = 1; i < sim::reg::kMaxKeyDepth; ++i)
        deep += "\\k";
    EXPECT_NE(CreateKey(root, deep), nullptr);
    EXPECT_EQ(CreateKey(root, deep + "\\k"), nullptr);
    std::string stored;
    EXPECT_TRUE(sim::reg::StoredPath(root, "A\\B", &stored));
    EXPECT_EQ(stored, "a\\b");
}

// A large flat file loads whole, in order, with its deletions applied.
// How fast it loads is measured by the registry benchmarks.
TEST(RegTree, TwentyThousandSiblingsLoadWhole) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (int i = 0; i < 20000; ++i) {
        std::string n = std::to_string(i);
        text +=
            "[HKEY_LOCAL_MACHINE\\Flat\\Key" + n + "]\r\n\"Value\"=\"" + n +
            "\"\r\n\"Number\"=dword:" + std::string(8 - std::min<std::size_t>(8, n.size()), '0') +
            n.substr(0, 8) + "\r\n\"Bytes\"=hex:01,02,03,04,05,06,07,08\r\n\r\n";
    }
    for (int i = 0; i < 2000; ++i)
        text += "[-HKEY_LOCAL_MACHINE\\Flat\\Key" + std::to_string(i * 10) + "]\r\n";
    Key root = regtest::Parse(text);
    const Key *flat = FindKey(root, "flat");
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ(flat->subkeys.Size(), 18000u);
    EXPECT_EQ(flat->subkeys.At(0).name, "Key1");
    EXPECT_EQ(FindKey(root, "flat\\key19999")->FindValue("value")->data,
              std::string_view("19999\0", 6));
}

} // namespace
