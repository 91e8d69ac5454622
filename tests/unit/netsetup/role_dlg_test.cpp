// The role dialog: the role flag follows the last click and nothing else.
#include "netsetup/role_dlg.h"

#include "res/resource.h"
#include "tests/unit/netsetup/netsetup_fixture.h"

#include <string>
#include <vector>

namespace {

using ui::Input;

const char kRoleOpen[] = R"(dialog 133 open "Server-Client selection")";

struct RoleCase {
    const char *name;
    std::int32_t flagBefore;
    std::vector<Input> inputs;
    std::int32_t flagAfter;
    int result;
};

class RoleDlgTest : public nstest::NetsetupTest {};

TEST_F(RoleDlgTest, FlagFollowsTheLastClick) {
    const RoleCase cases[] = {
        {"OK untouched in a fresh process", 0, {Input::Click(IDOK)}, 0, IDOK},
        {"gateway, OK", 0, {Input::Click(IDC_GATEWAY), Input::Click(IDOK)}, 1, IDOK},
        {"gateway, client, OK",
         0,
         {Input::Click(IDC_GATEWAY), Input::Click(IDC_CLIENT), Input::Click(IDOK)},
         0,
         IDOK},
        {"gateway, Escape", 0, {Input::Click(IDC_GATEWAY), Input::Click(IDCANCEL)}, 1, IDCANCEL},
        {"gateway, close box",
         0,
         {Input::Click(IDC_GATEWAY), Input::SysCommand(SC_CLOSE)},
         1,
         IDCANCEL},
        // The dialog shows "Client" but never writes the flag on its own.
        {"earlier gateway, OK untouched", 1, {Input::Click(IDOK)}, 1, IDOK},
        {"earlier gateway, Escape", 1, {Input::Click(IDCANCEL)}, 1, IDCANCEL},
        {"earlier gateway, client, OK", 1, {Input::Click(IDC_CLIENT), Input::Click(IDOK)}, 0, IDOK},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ui->ClearTranscript();
        g_setupState.roleFlag = c.flagBefore;
        ui->inputs[IDD_ROLE_DIALOG].assign(c.inputs.begin(), c.inputs.end());

        CRoleDlg dialog(nullptr);
        EXPECT_EQ(dialog.DoModal(), c.result);

        EXPECT_EQ(g_setupState.roleFlag, c.flagAfter);
        EXPECT_TRUE(nstest::RoleOpenedAsClient(*ui));
        EXPECT_EQ(ui->Events(), (std::vector<std::string>{
                                    kRoleOpen, "dialog 133 end " + std::to_string(c.result)}));
    }
}

} // namespace
