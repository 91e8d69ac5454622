#include "netsetup/setup_state.h"

SetupState g_setupState;
