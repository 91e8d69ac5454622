// veltrin: the media launcher.
#include "app/setup_app.h"
#include "platform/program_entry.h"

static CSetupApp theApp;

int main(int argc, char **argv) {
    return ProgramMain(argc, argv, vp::LauncherSwitches());
}
