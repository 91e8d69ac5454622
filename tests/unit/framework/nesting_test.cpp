// Message boxes and dialogs over a dialog, and the transcript of what the
// person saw and answered.
#include "tests/unit/framework/probe_dialog.h"

#include "platform/user32/linux_transcript.h"
#include "res/resource.h"

using Log = std::vector<std::string>;

TEST_F(ScriptTest, MessageBoxAndDialogOverADialog) {
    Script("click 1002\n"
           "answer yes\n"
           "click 1003\n"
           "wait 100\n"
           "click 1\n"
           "click 1\n");
    ProbeDlg outer(IDD_SHARING_DIALOG);
    outer.hooks["click 1002"] = [](ProbeDlg &d) {
        d.log.push_back("answer " + std::to_string(d.MessageBox("Sure?", "Ask", MB_YESNO)));
    };
    outer.hooks["click 1003"] = [](ProbeDlg &d) {
        ProbeDlg inner(IDD_ABOUTBOX);
        d.log.push_back("inner " + std::to_string(inner.DoModal()));
        d.log.insert(d.log.end(), inner.log.begin(), inner.log.end());
    };
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(outer.log, (Log{"init", "click 1002", "answer 6", "click 1003", "inner 1", "init",
                              "ok", "destroy", "ok", "destroy"}));
    EXPECT_EQ(Transcript(), (Log{
                                "dialog 132 open \"File and Printer sharing selection\"",
                                "list 1011",
                                "list 1012",
                                "list 1013",
                                "list 1014",
                                "msgbox \"Ask\" \"Sure?\" 4 owner=132",
                                "answer yes",
                                "list 1011",
                                "list 1012",
                                "list 1013",
                                "list 1014",
                                "dialog 100 open \"About Veltrin Pellorin\"",
                                "dialog 100 end 1",
                                "list 1011",
                                "list 1012",
                                "list 1013",
                                "list 1014",
                                "dialog 132 end 1",
                            }));
}

TEST_F(ScriptTest, MessageBoxWithoutWindowHasNoOwner) {
    Script("answer cancel\n");
    EXPECT_EQ(MessageBoxA(nullptr, "Insert\tthe \"CD\"\n", nullptr, MB_OKCANCEL | MB_ICONHAND),
              IDCANCEL);
    EXPECT_EQ(Transcript(), (Log{"msgbox \"Error\" \"Insert\\tthe \\\"CD\\\"\\n\" 17 owner=none",
                                 "answer cancel"}));
}

TEST_F(ScriptTest, TranscriptShowsListsAndChecksEachTimeTheDialogWaits) {
    Script("click 1030\n"
           "click 1\n");
    ProbeDlg dlg(IDD_ROLE_DIALOG);
    dlg.hooks["init"] = [](ProbeDlg &d) {
        d.CheckDlgButton(IDC_CLIENT, BST_CHECKED);
        d.SetWindowText("Role \\ choice");
    };
    dlg.DoModal();
    EXPECT_EQ(Transcript(), (Log{
                                "dialog 133 open \"Role \\\\ choice\"",
                                "check 1030 0",
                                "check 1031 1",
                                "check 1030 1",
                                "check 1031 0",
                                "dialog 133 end 1",
                            }));
}

TEST(TranscriptQuote, EscapesEverythingThatWouldBreakTheLine) {
    const struct {
        std::string text;
        std::string quoted;
    } cases[] = {
        {"", "\"\""},
        {"plain text", "\"plain text\""},
        {"a\\b\"c", "\"a\\\\b\\\"c\""},
        {"line\r\nnext\ttab", "\"line\\r\\nnext\\ttab\""},
        {std::string("nul\0bell", 8) + "\x07" + "del\x7f", "\"nul\\x00bell\\x07del\\x7f\""},
        {"caf\xe9", "\"caf\xe9\""}, // ANSI text stays as it is
    };
    for (const auto &c : cases)
        EXPECT_EQ(ui::transcript::Quote(c.text), c.quoted);
}
