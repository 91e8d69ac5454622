// Drive masks: bit i stands for drive letter 'A' + i, for the 26 letters.
#pragma once

#include "platform/api.h"

constexpr unsigned kDriveLetters = 26;

constexpr DWORD DriveBit(unsigned letterIndex) {
    return DWORD{1} << letterIndex;
}
