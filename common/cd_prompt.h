// The wait for the installation CD that the launcher and the apply sequence
// both begin with: the reminder is shown again and again until the CD's
// setup entry is found on the drive, or the user gives up.
#pragma once

#include "platform/function_ref.h"

// The entry whose presence tells that the installation CD is in the drive.
inline constexpr char kCdSetupEntry[] = "\\Tzr\\Setup";

// True once "<letter>:\Tzr\Setup" exists, tested before each reminder;
// false at the first answer of remind() other than `again`, which tests the
// same drive once more.
bool WaitForInstallationCd(char letter, vp::FunctionRef<int()> remind, int again);
