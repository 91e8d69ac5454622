// The role dialog: the role flag follows the last click and nothing else.
#include "netsetup/role_dlg.h"

#include "res/resource.h"
#include "tests/unit/netsetup/netsetup_fixture.h"

#include <string>
#include <vector>

namespace {

using ui::Input;

const char kRoleOpen[] = R"(dialog 133 open "Server-Client selection")";
constexpr RoleFlag kClient = RoleFlag::Client;
constexpr RoleFlag kGateway = RoleFlag::Gateway;

struct RoleCase {
    const char *name;
    RoleFlag flagBefore;
    std::vector<Input> inputs;
    RoleFlag flagAfter;
    int result;
};

class RoleDlgTest : public nstest::NetsetupTest {};

TEST_F(RoleDlgTest, FlagFollowsTheLastClick) {
    const RoleCase cases[] = {
        {"OK untouched in a fresh process", kClient, {Input::Click(IDOK)}, kClient, IDOK},
        {"gateway, OK", kClient, {Input::Click(IDC_GATEWAY), Input::Click(IDOK)}, kGateway, IDOK},
        {"gateway, client, OK",
         kClient,
         {Input::Click(IDC_GATEWAY), Input::Click(IDC_CLIENT), Input::Click(IDOK)},
         kClient,
         IDOK},
        {"gateway, Escape",
         kClient,
         {Input::Click(IDC_GATEWAY), Input::Click(IDCANCEL)},
         kGateway,
         IDCANCEL},
        {"gateway, close box",
         kClient,
         {Input::Click(IDC_GATEWAY), Input::SysCommand(SC_CLOSE)},
         kGateway,
         IDCANCEL},
        // The dialog shows "Client" but never writes the flag on its own.
        {"earlier gateway, OK untouched", kGateway, {Input::Click(IDOK)}, kGateway, IDOK},
        {"earlier gateway, Escape", kGateway, {Input::Click(IDCANCEL)}, kGateway, IDCANCEL},
        {"earlier gateway, client, OK",
         kGateway,
         {Input::Click(IDC_CLIENT), Input::Click(IDOK)},
         kClient,
         IDOK},
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
