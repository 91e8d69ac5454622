// The gateway's host number on 192.168.0.x, drawn from the C runtime's
// classic linear congruential generator seeded with the time in seconds.
#pragma once

#include <cstdint>

// state = state * 214013 + 2531011 (mod 2^32); a draw is bits 16..30 of the
// new state (0..32767). Our own, since the host's rand() is another generator.
class CRuntimeRandom {
  public:
    explicit CRuntimeRandom(std::uint32_t seed) : m_state(seed) {}
    std::uint32_t Draw();

  private:
    std::uint32_t m_state;
};

// 1 to 254: 0 is the network's own number and 255 its broadcast number under
// the mask 255.255.255.0. 1 + draw % 254 over the 15-bit draw: 32768 draws
// spread over 254 hosts, two of them (1 and 2) one draw in 32768 likelier.
int HostNumberFromDraw(std::uint32_t draw);

// The gateway's mask text "255.255.255.0" and address text "192.168.0.<n>",
// n from the first draw of a generator seeded with seed.
void FillGatewayAddress(std::uint32_t seed);
