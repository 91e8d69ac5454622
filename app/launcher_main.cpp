// veltrin: the media launcher.
#include "app/setup_app.h"
#include "platform/program_entry.h"

static CSetupApp theApp;
