// The gateway's host number: the runtime generator's draws and their mapping
// into the usable hosts of 192.168.0.0/24.
#include "netsetup/host_number.h"
#include "netsetup/setup_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

struct SeedCase {
    std::uint32_t seed;
    std::array<std::uint32_t, 3> draws;
};

// Seed 1 gives the sequence every C programmer of the era knew from rand().
const SeedCase kSeeds[] = {
    {0, {38, 7719, 21238}},
    {1, {41, 18467, 6334}},
    {2, {45, 29216, 24198}},
    {1234567890, {1178, 3658, 9904}},
    {1700000000, {28462, 1027, 22663}},
    {0xffffffffu, {35, 29739, 3374}},
};

TEST(RuntimeRandom, DrawsMatchTheRuntimeGenerator) {
    for (const auto &c : kSeeds) {
        CRuntimeRandom random(c.seed);
        for (std::uint32_t expected : c.draws)
            EXPECT_EQ(random.Draw(), expected) << "seed " << c.seed;
    }
}

TEST(HostNumber, EveryDrawGivesAUsableHostAndTheSpreadIsEven) {
    std::array<int, 256> hits{};
    for (std::uint32_t draw = 0; draw <= 0x7fff; ++draw)
        ++hits[static_cast<std::size_t>(HostNumberFromDraw(draw))];
    EXPECT_EQ(hits[0], 0);
    EXPECT_EQ(hits[255], 0);
    for (int host = 1; host <= 254; ++host) {
        EXPECT_GE(hits[host], 129) << host;
        EXPECT_LE(hits[host], 130) << host;
    }
}

TEST(HostNumber, GatewayTextsFromTheFirstDraw) {
    const struct {
        std::uint32_t seed;
        const char *address;
    } cases[] = {
        {0, "192.168.0.39"},           // draw 38
        {1700000000, "192.168.0.15"},  // draw 28462
        {1234567890, "192.168.0.163"}, // draw 1178
    };
    for (const auto &c : cases) {
        g_setupState = SetupState{};
        FillGatewayAddress(c.seed);
        EXPECT_STREQ(g_setupState.addressText, c.address);
        EXPECT_STREQ(g_setupState.maskText, "255.255.255.0");
        EXPECT_EQ(g_setupState.roleFlag, RoleFlag::Client);
        EXPECT_EQ(g_setupState.restartState, RestartState::NotNeeded);
    }
}

} // namespace
