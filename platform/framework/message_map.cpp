// Message-map lookup and dispatch, shared by both builds.
#include "platform/framework.h"

namespace {

bool Matches(const MessageMapEntry &entry, UINT message, WPARAM wParam) {
    if (entry.message != message)
        return false;
    if (message != WM_COMMAND)
        return true;
    return entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam);
}

const MessageMapEntry *FindEntry(const MessageMap *map, UINT message, WPARAM wParam) {
    for (; map; map = map->baseMap ? map->baseMap() : nullptr)
        for (const MessageMapEntry *entry = map->entries; entry->message != 0; ++entry)
            if (Matches(*entry, message, wParam))
                return entry;
    return nullptr;
}

} // namespace

// The root of every chain: the confirm and cancel commands reach the virtual
// OnOK and OnCancel, so a class overrides them without a map entry.
const MessageMap *CDialog::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        {WM_COMMAND, BN_CLICKED, IDOK, MsgSig::vv, {.vv = &CDialog::OnOK}},
        {WM_COMMAND, BN_CLICKED, IDCANCEL, MsgSig::vv, {.vv = &CDialog::OnCancel}},
        {0, 0, 0, MsgSig::vv, {}},
    };
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap *CDialog::GetMessageMap() const {
    return GetThisMessageMap();
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) {
    const MessageMapEntry *entry = FindEntry(GetMessageMap(), message, wParam);
    if (!entry)
        return false;
    LRESULT value = 0;
    switch (entry->sig) {
    case MsgSig::vv:
        (this->*entry->pfn.vv)();
        break;
    case MsgSig::vUL:
        (this->*entry->pfn.vUL)(static_cast<UINT>(wParam), lParam);
        break;
    case MsgSig::vT:
        (this->*entry->pfn.vT)(static_cast<UINT_PTR>(wParam));
        break;
    case MsgSig::hv:
        value = reinterpret_cast<LRESULT>((this->*entry->pfn.hv)());
        break;
    }
    if (result)
        *result = value;
    return true;
}

LRESULT CDialog::DispatchFromBackend(UINT message, WPARAM wParam, LPARAM lParam, bool *handled) {
    // A handler may send further messages and then call Default() for its
    // own one: keep the outer message while the inner one runs.
    const UINT savedMessage = m_currentMessage;
    const WPARAM savedWParam = m_currentWParam;
    const LPARAM savedLParam = m_currentLParam;
    m_currentMessage = message;
    m_currentWParam = wParam;
    m_currentLParam = lParam;

    LRESULT result = 0;
    bool done = true;
    if (message == WM_INITDIALOG)
        result = OnInitDialog();
    else
        done = OnWndMsg(message, wParam, lParam, &result);

    m_currentMessage = savedMessage;
    m_currentWParam = savedWParam;
    m_currentLParam = savedLParam;
    if (handled)
        *handled = done;
    return result;
}
