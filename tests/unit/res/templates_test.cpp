// The built-in script read back against the dialog tables, written out here
// a second time on purpose: a slip in either copy shows as a difference.
#include "expect_dialog.h"
#include "res/templates.h"

#include "platform/api.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t Bits(long bits) {
    return static_cast<std::uint32_t>(bits);
}

constexpr std::uint32_t kDialogStyle =
    Bits(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
constexpr std::uint32_t kChild = Bits(WS_CHILD | WS_VISIBLE);
constexpr std::uint32_t kPush = kChild | Bits(BS_PUSHBUTTON | WS_TABSTOP);
constexpr std::uint32_t kDefPush = kChild | Bits(BS_DEFPUSHBUTTON | WS_TABSTOP);
constexpr std::uint32_t kGroupBox = kChild | Bits(BS_GROUPBOX);
constexpr std::uint32_t kList = kChild | Bits(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER |
                                              WS_VSCROLL | WS_HSCROLL | WS_TABSTOP);
constexpr std::uint32_t kText = kChild | Bits(SS_LEFT | WS_GROUP);
constexpr std::uint32_t kRadio = kChild | Bits(BS_AUTORADIOBUTTON);

std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

// Every dialog has the same style, place and font; the rest is its own.
res::DialogTemplate Dialog(int id, int cx, int cy, std::string caption,
                           std::vector<res::ControlTemplate> controls) {
    return {.id = id,
            .style = kDialogStyle,
            .cx = cx,
            .cy = cy,
            .caption = std::move(caption),
            .fontName = "MS Sans Serif",
            .fontPoints = 8,
            .controls = std::move(controls)};
}

// clang-format off
std::vector<res::DialogTemplate> Tables() {
    return {
        Dialog(100, 217, 43, "About Veltrin Pellorin", {
            {65535, "STATIC", kChild | Bits(SS_ICON), 11, 10, 20, 20, "137"},
            {65535, "STATIC", kChild | Bits(SS_LEFT | SS_NOPREFIX | WS_GROUP), 40, 9, 119, 8,
             "Veltrin Pellorin Version 1.0"},
            {1, "BUTTON", kDefPush | Bits(WS_GROUP), 178, 7, 32, 14, "OK"},
        }),
        Dialog(132, 245, 229, "File and Printer sharing selection", {
            {1, "BUTTON", kDefPush, 94, 208, 50, 14, "OK"},
            {1002, "BUTTON", kPush, 114, 83, 13, 14, ">>"},
            {1003, "BUTTON", kPush, 114, 106, 13, 14, "<<"},
            {65535, "BUTTON", kGroupBox, 14, 64, 213, 70,
             Blanks(10) + "Local Drives" + Blanks(36) + "Shared Drives" + Blanks(12)},
            {1011, "LISTBOX", kList, 23, 74, 83, 53, ""},
            {1012, "LISTBOX", kList, 136, 74, 83, 53, ""},
            {1004, "BUTTON", kPush, 114, 151, 13, 14, ">>"},
            {1005, "BUTTON", kPush, 114, 174, 13, 14, "<<"},
            {65535, "BUTTON", kGroupBox, 14, 130, 213, 72,
             Blanks(10) + "Local Printers" + Blanks(35) + "Shared Printers" + Blanks(9)},
            {1013, "LISTBOX", kList, 22, 141, 83, 53, ""},
            {1014, "LISTBOX", kList, 136, 142, 83, 53, ""},
            {65535, "STATIC", kText, 14, 35, 210, 27,
             "To select a local resource for sharing, highlight the resource and click on the "
             ">> button. To remove shared access from a resource, highlight the resource and "
             "click on the << button."},
            {65535, "STATIC", kText, 14, 7, 209, 26,
             "You can share the information on your local drives with other computers on your "
             "home network. You also have the option to allow users on other computers to "
             "print to your local printer."},
        }),
        Dialog(133, 213, 206, "Server-Client selection", {
            {1, "BUTTON", kDefPush, 89, 177, 50, 14, "OK"},
            {1030, "BUTTON", kRadio, 105, 156, 68, 10, "Gateway/Server"},
            {1031, "BUTTON", kRadio, 52, 156, 33, 10, "Client"},
            {65535, "BUTTON", kGroupBox, 27, 146, 162, 24, "Please choose one of the following"},
            {65535, "STATIC", kText, 17, 13, 180, 26,
             "Quorvane Phoneline Network Card allows you to share Internet access using a "
             "single Internet Service Provider (ISP) connection via a modem or a similar "
             "device." + Blanks(2)},
            {65535, "STATIC", kText, 17, 72, 183, 35,
             "A Gateway/Server is a system that has a direct link to the Internet Service "
             "Provider (ISP) through a modem or other connecting device. It is recommended to "
             "have only one Gateway/Server on your home network." + Blanks(2)},
            {65535, "STATIC", kText, 17, 110, 186, 21,
             "A Client is a computer which uses the services of a Gateway/Server to access the "
             "Internet." + Blanks(1)},
            {65535, "STATIC", kText, 17, 42, 186, 28,
             "One of your computers may be used as a Gateway/Server to share Internet access "
             "with other computers. The other computers can be configured as Clients." +
             Blanks(2)},
        }),
        Dialog(134, 201, 48, Blanks(21) + "Reboot Message!", {
            {65535, "STATIC", kChild | Bits(SS_LEFT), 19, 5, 163, 23,
             "In order to continue your Quorvane Phoneline Network Card installation, the "
             "computer needs to restart. Please wait..."},
        }),
    };
}
// clang-format on

TEST(Templates, EveryDialogMatchesItsTable) {
    const auto tables = Tables();
    EXPECT_EQ(res::Resources().dialogs.size(), tables.size());
    for (const res::DialogTemplate &want : tables) {
        const res::DialogTemplate *got = res::FindDialog(want.id);
        ASSERT_NE(got, nullptr) << want.id;
        ExpectSameDialog(*got, want);
    }
}

TEST(Templates, StringIconAndLookups) {
    ASSERT_NE(res::FindString(101), nullptr);
    EXPECT_EQ(*res::FindString(101), "&About velpasto...");
    EXPECT_EQ(res::Resources().strings.size(), 1u);
    EXPECT_EQ(res::Resources().icons, (std::map<int, std::string>{{137, "app.ico"}}));
    EXPECT_EQ(res::FindDialog(999), nullptr);
    EXPECT_EQ(res::FindString(100), nullptr);
    EXPECT_TRUE(res::IconBytes(100).empty());
}

// The icon is a real .ico: two 16-colour images, 32x32 then 16x16, each
// lying inside the file.
TEST(Templates, IconHoldsTwoSixteenColourImages) {
    const auto ico = res::IconBytes(137);
    ASSERT_GE(ico.size(), 6u + 2 * 16);
    auto word = [&](std::size_t at) { return ico[at] | ico[at + 1] << 8; };
    auto dword = [&](std::size_t at) {
        return static_cast<std::size_t>(word(at)) | static_cast<std::size_t>(word(at + 2)) << 16;
    };
    EXPECT_EQ(word(0), 0);
    EXPECT_EQ(word(2), 1);
    ASSERT_EQ(word(4), 2);
    const int sizes[] = {32, 16};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], sizes[i]);
        EXPECT_EQ(ico[entry + 1], sizes[i]);
        EXPECT_EQ(ico[entry + 2], 16);
        EXPECT_EQ(word(entry + 6), 4); // bits per pixel
        const std::size_t size = dword(entry + 8);
        const std::size_t offset = dword(entry + 12);
        EXPECT_LE(offset + size, ico.size());
        EXPECT_EQ(dword(offset + 4), static_cast<std::size_t>(sizes[i])); // header's width
    }
}

} // namespace
