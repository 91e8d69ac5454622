#include "netsetup/host_number.h"

#include "netsetup/setup_state.h"
#include "platform/framework/format_text.h"

std::uint32_t CRuntimeRandom::Draw() {
    m_state = m_state * 214013u + 2531011u;
    return (m_state >> 16) & 0x7fffu;
}

int HostNumberFromDraw(std::uint32_t draw) {
    return 1 + static_cast<int>(draw % 254u);
}

void FillGatewayAddress(std::uint32_t seed) {
    CRuntimeRandom random(seed);
    const int host = HostNumberFromDraw(random.Draw());
    vp::FormatText(g_setupState.maskText, sizeof g_setupState.maskText, "255.255.255.0");
    vp::FormatText(g_setupState.addressText, sizeof g_setupState.addressText, "192.168.0.%d", host);
}
