// The sharing dialog as a person sees it: its title, its four lists and the
// moves between them, and minimised painting.
#include "dialog_fixture.h"
#include "share_fixture.h"

#include "platform/user32/paint.h"
#include "platform/user32/window_manager.h"
#include "res/templates.h"

using sharing_test::DiskShare;
using sharing_test::Printer;
using Lines = std::vector<std::string>;
using ui::Input;

namespace {

const std::map<char, std::string> kADEF = {
    {'A', "removable"}, {'D', "fixed"}, {'E', "cdrom"}, {'F', "remote"}};

bool Contains(const Lines &lines, const std::string &line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The "list <id> ..." lines of the transcript, one each time the dialog
// waited, oldest first.
Lines ListLines(const testkit::DialogHarness &ui, int id) {
    return ui.Lines("list " + std::to_string(id));
}

} // namespace

TEST_F(SharingDialogTest, OpensWithTitleAndDriveLists) {
    machine.SetDrives({{'A', "removable"}, {'C', "fixed"}, {'E', "cdrom"}, {'F', "remote"}},
                      "C:\\WINDOWS");
    machine.AddFile('C', "WINDOWS\\INF\\NETAMDQV.INF", "[Strings]\r\nVendorName=Quorvane\r\n");
    machine.SetRegistry(DiskShare("NET", "F:\\") + DiskShare("E_Drive", "E:\\"));
    EXPECT_EQ(Run({Input::Click(IDCANCEL)}), IDCANCEL);
    const Lines t = ui->Transcript();
    ASSERT_GE(t.size(), 6u);
    EXPECT_EQ(t[0], "dialog 132 open \"Quorvane File and Printer Sharing Selection\"");
    EXPECT_EQ(t[1], "list 1011 \"[-A-DRIVE]\" \"[-C-DRIVE]\"");
    EXPECT_EQ(t[2], "list 1012 \"[-E-DRIVE]\"");
    EXPECT_EQ(t[3], "list 1013");
    EXPECT_EQ(t[4], "list 1014");
    EXPECT_EQ(t.back(), "dialog 132 end 2");
}

TEST_F(SharingDialogTest, DriveMovesKeepLetterOrder) {
    machine.SetDrives(kADEF);
    machine.SetRegistry(DiskShare("D_Drive", "D:\\"));
    Run({Input::Select(IDC_LOCAL_DRIVES, 1),                                     // [-E-DRIVE]
         Input::Click(IDC_SHARE_DRIVE), Input::DoubleClick(IDC_LOCAL_DRIVES, 0), // [-A-DRIVE]
         Input::Click(IDC_SHARE_DRIVE),       // nothing selected any more
         Input::Select(IDC_SHARED_DRIVES, 1), // [-D-DRIVE]
         Input::Click(IDC_UNSHARE_DRIVE), Input::DoubleClick(IDC_SHARED_DRIVES, 0), // [-A-DRIVE]
         Input::Click(IDCANCEL)});
    EXPECT_EQ(ListLines(*ui, 1011), (Lines{
                                        "list 1011 \"[-A-DRIVE]\" \"[-E-DRIVE]\"",
                                        "list 1011 \"[-A-DRIVE]\" \"[-E-DRIVE]\"",
                                        "list 1011 \"[-A-DRIVE]\"",
                                        "list 1011",
                                        "list 1011",
                                        "list 1011",
                                        "list 1011 \"[-D-DRIVE]\"",
                                        "list 1011 \"[-A-DRIVE]\" \"[-D-DRIVE]\"",
                                    }));
    EXPECT_EQ(ListLines(*ui, 1012), (Lines{
                                        "list 1012 \"[-D-DRIVE]\"",
                                        "list 1012 \"[-D-DRIVE]\"",
                                        "list 1012 \"[-D-DRIVE]\" \"[-E-DRIVE]\"",
                                        "list 1012 \"[-A-DRIVE]\" \"[-D-DRIVE]\" \"[-E-DRIVE]\"",
                                        "list 1012 \"[-A-DRIVE]\" \"[-D-DRIVE]\" \"[-E-DRIVE]\"",
                                        "list 1012 \"[-A-DRIVE]\" \"[-D-DRIVE]\" \"[-E-DRIVE]\"",
                                        "list 1012 \"[-A-DRIVE]\" \"[-E-DRIVE]\"",
                                        "list 1012 \"[-E-DRIVE]\"",
                                    }));
    EXPECT_EQ(sharedDriveMask, DWORD{1} << ('E' - 'A'));
}

TEST_F(SharingDialogTest, PrinterMovesKeepTableOrder) {
    machine.SetRegistry(Printer("P1", "LPT1:") + Printer("P2", "LPT2:", "P2") +
                        Printer("P3", "LPT3:") + Printer("Remote", "\\\\OFFICE\\R"));
    Run({Input::Select(IDC_LOCAL_PRINTERS, 1),                                        // P3
         Input::Click(IDC_SHARE_PRINTER), Input::DoubleClick(IDC_SHARED_PRINTERS, 0), // P2
         Input::Click(IDC_UNSHARE_PRINTER),         // nothing selected
         Input::DoubleClick(IDC_LOCAL_PRINTERS, 1), // P2 again
         Input::Click(IDCANCEL)});
    EXPECT_EQ(ListLines(*ui, 1013),
              (Lines{"list 1013 \"P1\" \"P3\"", "list 1013 \"P1\" \"P3\"", "list 1013 \"P1\"",
                     "list 1013 \"P1\" \"P2\"", "list 1013 \"P1\" \"P2\"", "list 1013 \"P1\""}));
    EXPECT_EQ(ListLines(*ui, 1014),
              (Lines{"list 1014 \"P2\"", "list 1014 \"P2\"", "list 1014 \"P2\" \"P3\"",
                     "list 1014 \"P3\"", "list 1014 \"P3\"", "list 1014 \"P2\" \"P3\""}));
}

TEST_F(SharingDialogTest, GetLogicalDrivesFailureIsReported) {
    machine.SetDrives({});
    machine.SetRegistry(Printer("P1", "LPT1:"));
    Run({Input::Click(IDCANCEL)}, {IDOK});
    const Lines t = ui->Transcript();
    ASSERT_GE(t.size(), 3u);
    EXPECT_EQ(t[0], "msgbox \"Setup Drive List\" \"GetLogicalDrives failed.\" 0 owner=132");
    EXPECT_EQ(t[1], "answer ok");
    EXPECT_TRUE(Contains(t, "list 1011"));
    EXPECT_TRUE(Contains(t, "list 1012"));
    EXPECT_TRUE(Contains(t, "list 1013 \"P1\""));
}

TEST_F(SharingDialogTest, MinimisedDialogDrawsItsIconCentred) {
    ui::DrawnIcons().clear();
    Run({Input::SysCommand(SC_MINIMIZE), Input::SysCommand(SC_RESTORE), Input::Click(IDCANCEL)});
    ASSERT_FALSE(ui::DrawnIcons().empty());
    ui::Window window;
    window.tmpl = *res::FindDialog(IDD_SHARING_DIALOG);
    const RECT client = ui::ClientRect(window);
    const ui::IconDrawing &drawn = ui::DrawnIcons().front();
    EXPECT_EQ(drawn.x, (client.right - client.left - 32 + 1) / 2);
    EXPECT_EQ(drawn.y, (client.bottom - client.top - 32 + 1) / 2);
    EXPECT_EQ(drawn.icon, CSharingDlg().m_hIcon);
}
