// The program's four dialogs drawn in cells: sizes as the dialog units give
// them, every text and control visible and none covering another.
#include "platform/tui/dialog_view.h"
#include "platform/tui/geometry.h"
#include "tests/unit/tui/tui_fixture.h"

#include <gtest/gtest.h>

namespace {

using tuitest::TemplateWindow;

struct Drawn {
    tui::Canvas canvas{0, 0};
    tui::WindowFrame frame;
};

Drawn Draw(const ui::Window &window, const tui::DialogState &state = {}) {
    const tui::Size client = tui::ClientCells(window.tmpl);
    Drawn d;
    d.frame = tui::PlaceWindow(client, client.w + 2, client.h + 2);
    d.canvas = tui::Canvas(client.w + 2, client.h + 2);
    tui::DrawDialog(d.canvas, window, d.frame, state, true);
    return d;
}

bool Overlap(const tui::Rect &a, const tui::Rect &b) {
    return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

struct SizeCase {
    int id;
    int cols, rows;
};

TEST(DialogLayout, DialogUnitsMapToCellsFourAcrossEightDown) {
    const SizeCase cases[] = {{IDD_SHARING_DIALOG, 62, 29},
                              {IDD_ROLE_DIALOG, 54, 26},
                              {IDD_REBOOT_DIALOG, 51, 6},
                              {IDD_ABOUTBOX, 55, 6}};
    for (const SizeCase &c : cases) {
        const tui::Size size = tui::ClientCells(*res::FindDialog(c.id));
        EXPECT_EQ(size.w, c.cols) << c.id;
        EXPECT_EQ(size.h, c.rows) << c.id;
    }
    EXPECT_EQ(tui::UnitsToCells(94, 208, 50, 14).x, 23);
    EXPECT_EQ(tui::UnitsToCells(94, 208, 50, 14).w, 13);
}

TEST(DialogLayout, EveryTextShowsWholeAndNothingCoversAControl) {
    for (int id : {IDD_SHARING_DIALOG, IDD_ROLE_DIALOG, IDD_REBOOT_DIALOG, IDD_ABOUTBOX}) {
        TemplateWindow made(id);
        const ui::Window &window = made.window;
        const Drawn d = Draw(window);
        const std::vector<tui::ControlBox> boxes = tui::LayoutDialog(window);
        const tui::Rect client = {0, 0, d.frame.client.w, d.frame.client.h};
        for (std::size_t i = 0; i < window.controls.size(); ++i) {
            const ui::Control &c = window.controls[i];
            const tui::ControlBox &box = boxes[i];
            if (c.Kind() == ui::ControlKind::GroupBox)
                continue;
            EXPECT_TRUE(Overlap(box.area, client) && box.area.Bottom() <= client.h)
                << id << " control " << i << " leaves the client area";
            for (std::size_t line = 0; line < box.lines.size(); ++line) {
                const std::string &text = box.lines[line];
                EXPECT_EQ(tuitest::Cells(d.canvas, d.frame.client.x + box.area.x,
                                         d.frame.client.y + box.area.y + static_cast<int>(line),
                                         static_cast<int>(text.size())),
                          text)
                    << id << " text " << i << " line " << line;
            }
            for (std::size_t j = 0; j < i; ++j) {
                if (window.controls[j].Kind() == ui::ControlKind::GroupBox)
                    continue;
                tui::Rect a = box.area, b = boxes[j].area;
                if (!box.lines.empty())
                    a.h = static_cast<int>(box.lines.size());
                if (!boxes[j].lines.empty())
                    b.h = static_cast<int>(boxes[j].lines.size());
                EXPECT_FALSE(Overlap(a, b)) << id << ": controls " << j << " and " << i << " meet";
            }
        }
    }
}

TEST(DialogLayout, RoleTextsThatTheFixedWidthFontLengthensStayApart) {
    // The Gateway/Server text wraps to five rows, one more than its place
    // before the Client text: the Client text moves down one row.
    TemplateWindow made(IDD_ROLE_DIALOG);
    const ui::Window &window = made.window;
    const std::string all = tuitest::Text(Draw(window).canvas);
    EXPECT_NE(all.find("on your home network."), std::string::npos) << all;
    EXPECT_NE(all.find("A Client is a computer"), std::string::npos) << all;
}

TEST(DialogLayout, SharingDialogShowsGroupLabelsJoinedFramesAndMarkedDefault) {
    TemplateWindow made(IDD_SHARING_DIALOG);
    ui::Window &window = made.window;
    window.title = " File and Printer Sharing Selection";
    tuitest::Control(window, IDC_LOCAL_DRIVES).items = {"[-A-DRIVE]", "[-D-DRIVE]"};
    tuitest::Control(window, IDC_LOCAL_DRIVES).selection = 1;
    const Drawn d = Draw(window);
    const std::vector<std::string> rows = d.canvas.Rows();
    const std::string all = tuitest::Text(d.canvas);
    for (const char *text :
         {"File and Printer Sharing Selection", "Local Drives", "Shared Drives", "Local Printers",
          "Shared Printers", "[-A-DRIVE]", "[-D-DRIVE]", "[>>]", "[<<]", "> OK <", "[-]"})
        EXPECT_NE(all.find(text), std::string::npos) << text << "\n" << all;
    // The drive group's lower edge and the printer group's upper edge share a
    // row: their corners join as tees.
    const std::string &joint = rows[static_cast<std::size_t>(d.frame.client.y + 16)];
    EXPECT_NE(joint.find("\u251C"), std::string::npos) << joint;
    EXPECT_NE(joint.find("\u2524"), std::string::npos) << joint;
    // The selected entry is drawn selected.
    const tui::Rect list = tui::ListEntries(tuitest::Control(window, IDC_LOCAL_DRIVES));
    EXPECT_EQ(d.canvas.At(d.frame.client.x + list.x, d.frame.client.y + list.y + 1).paint,
              tui::Paint::ListSelected);
}

TEST(DialogLayout, LongListScrollsToItsSelectionAndShowsAScrollBar) {
    TemplateWindow made(IDD_SHARING_DIALOG);
    ui::Window &window = made.window;
    ui::Control &list = tuitest::Control(window, IDC_LOCAL_PRINTERS);
    for (int i = 0; i < 12; ++i)
        list.items.push_back("Printer " + std::to_string(i));
    list.selection = 9;
    tui::DialogState state;
    tui::SettleListTops(window, state);
    const int index = tuitest::IndexOf(window, IDC_LOCAL_PRINTERS);
    const int rows = tui::ListEntries(list).h;
    EXPECT_EQ(state.listTop[index], 9 - rows + 1);
    const std::string all = tuitest::Text(Draw(window, state).canvas);
    EXPECT_NE(all.find("Printer 9"), std::string::npos);
    EXPECT_EQ(all.find("Printer 0"), std::string::npos);
    EXPECT_NE(all.find("\u25B2"), std::string::npos);
    EXPECT_NE(all.find("\u25BC"), std::string::npos);

    // The user scrolls away with the mouse: the view stays until the
    // selection changes.
    state.listTop[index] = 0;
    tui::SettleListTops(window, state);
    EXPECT_EQ(state.listTop[index], 0);
    list.selection = 11;
    tui::SettleListTops(window, state);
    EXPECT_EQ(state.listTop[index], 12 - rows);
}

TEST(DialogLayout, ClicksFindControlsEntriesAndCaptionBoxes) {
    TemplateWindow made(IDD_SHARING_DIALOG);
    ui::Window &window = made.window;
    tuitest::Control(window, IDC_SHARED_DRIVES).items = {"[-C-DRIVE]"};
    const tui::DialogState state;
    const Drawn d = Draw(window, state);
    using Part = tui::DialogHit::Part;
    auto hit = [&](int x, int y) { return tui::HitDialog(window, d.frame, state, x, y); };
    EXPECT_EQ(hit(d.frame.frame.x + 1, d.frame.frame.y).part, Part::MenuBox);
    EXPECT_EQ(hit(d.frame.frame.Right() - 2, d.frame.frame.y).part, Part::CloseBox);

    const tui::Rect shared =
        tui::Offset(tui::ListEntries(tuitest::Control(window, IDC_SHARED_DRIVES)), d.frame.client.x,
                    d.frame.client.y);
    const tui::DialogHit entry = hit(shared.x + 2, shared.y);
    EXPECT_EQ(entry.part, Part::ListEntry);
    EXPECT_EQ(entry.control, tuitest::IndexOf(window, IDC_SHARED_DRIVES));
    EXPECT_EQ(entry.entry, 0);
    EXPECT_EQ(hit(shared.x + 2, shared.y + 1).part, Part::Control); // below the last entry

    const int ok = tuitest::IndexOf(window, IDOK);
    const tui::ControlBox okBox = tui::LayoutDialog(window)[static_cast<std::size_t>(ok)];
    const tui::DialogHit button =
        hit(d.frame.client.x + okBox.area.x + 1, d.frame.client.y + okBox.row);
    EXPECT_EQ(button.part, Part::Control);
    EXPECT_EQ(button.control, ok);
    EXPECT_EQ(hit(d.frame.client.x, d.frame.client.y).part, Part::None); // a text
}

} // namespace
