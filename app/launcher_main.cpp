// veltrin: the media launcher. It reads no command-line arguments.
#include "app/setup_app.h"
#include "platform/program_entry.h"

static CSetupApp theApp;
