// The one application object of the process.
#include "platform/framework.h"

namespace {
CWinApp *theApp = nullptr;
}

CWinApp::CWinApp() : m_hInstance(GetModuleHandleA(nullptr)) {
    theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this)
        theApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

// Dialog-based applications have no main window: nothing is left to pump
// once InitInstance has returned.
int CWinApp::Run() {
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return 0;
}

CWinApp *AfxGetApp() {
    return theApp;
}
