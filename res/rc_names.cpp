#include "res/rc_names.h"

#include "platform/api.h"

namespace res {
namespace {

struct Known {
    std::string_view name;
    std::uint32_t value;
};

#define VP_NAME(n)                                                                                 \
    Known {                                                                                        \
#n, static_cast < std::uint32_t>(n)                                                        \
    }

const Known kKnown[] = {
    VP_NAME(WS_OVERLAPPED),
    VP_NAME(WS_POPUP),
    VP_NAME(WS_CHILD),
    VP_NAME(WS_MINIMIZE),
    VP_NAME(WS_VISIBLE),
    VP_NAME(WS_DISABLED),
    VP_NAME(WS_CAPTION),
    VP_NAME(WS_BORDER),
    VP_NAME(WS_DLGFRAME),
    VP_NAME(WS_VSCROLL),
    VP_NAME(WS_HSCROLL),
    VP_NAME(WS_SYSMENU),
    VP_NAME(WS_THICKFRAME),
    VP_NAME(WS_GROUP),
    VP_NAME(WS_TABSTOP),
    VP_NAME(WS_MINIMIZEBOX),
    VP_NAME(WS_MAXIMIZEBOX),
    VP_NAME(DS_SETFONT),
    VP_NAME(DS_MODALFRAME),
    VP_NAME(DS_CENTER),
    VP_NAME(BS_PUSHBUTTON),
    VP_NAME(BS_DEFPUSHBUTTON),
    VP_NAME(BS_CHECKBOX),
    VP_NAME(BS_AUTOCHECKBOX),
    VP_NAME(BS_RADIOBUTTON),
    VP_NAME(BS_GROUPBOX),
    VP_NAME(BS_AUTORADIOBUTTON),
    VP_NAME(LBS_NOTIFY),
    VP_NAME(LBS_SORT),
    VP_NAME(LBS_NOINTEGRALHEIGHT),
    VP_NAME(SS_LEFT),
    VP_NAME(SS_ICON),
    VP_NAME(SS_NOPREFIX),
    VP_NAME(IDOK),
    VP_NAME(IDCANCEL),
    // As winnt.h has them; the Linux surface has no language names.
    Known{"LANG_ENGLISH", 0x09},
    Known{"SUBLANG_ENGLISH_US", 0x01},
};

#undef VP_NAME

} // namespace

std::optional<std::uint32_t> WindowsName(std::string_view name) {
    for (const Known &known : kKnown)
        if (known.name == name)
            return known.value;
    return std::nullopt;
}

} // namespace res
