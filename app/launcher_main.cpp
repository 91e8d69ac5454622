// veltrin: the media launcher. It reads no command-line arguments.
#include "app/setup_app.h"

static CSetupApp theApp;

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain();
}
#else
int main() {
    return AfxWinMain();
}
#endif
