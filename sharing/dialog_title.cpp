#include "sharing/dialog_title.h"

#include "common/bounded_text.h"
#include "platform/api.h"

#include <cstring>

char g_titleBuffer[kTitleBufferSize];

namespace {

constexpr std::size_t kInfPathSize = 120;
char g_infPath[kInfPathSize];

const char kInfTail[] = "\\inf\\netamdqv.inf";
const char kTitleSuffix[] = " File and Printer Sharing Selection";

// The INF file's path, or null when the Windows directory is unknown or
// too long for the path buffer: a cut path would name some other file.
const char *InfPath() {
    const UINT length = GetWindowsDirectoryA(g_infPath, kInfPathSize);
    if (length == 0 || length + std::strlen(kInfTail) >= kInfPathSize)
        return nullptr;
    lstrcatA(g_infPath, kInfTail);
    return g_infPath;
}

} // namespace

void BuildDialogTitle() {
    g_titleBuffer[0] = '\0';
    if (const char *inf = InfPath())
        GetPrivateProfileStringA("Strings", "VendorName", "", g_titleBuffer, kTitleBufferSize, inf);
    AppendText(g_titleBuffer, kTitleBufferSize, kTitleSuffix);
}
