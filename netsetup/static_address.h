// Gives the TCP/IP protocol bound to the card the gateway's fixed address:
// from the card's PCI device key, through each instance's bindings, to each
// TCP/IP driver key, which gets "IPAddress" and "IPMask".
#pragma once

#include "platform/api.h"

// Reads the address and mask texts of the setup state and sets its restart
// state to 1 once the card's instances have been walked. When the card's
// device key cannot be reached, shows the address warning owned by owner
// and leaves the restart state alone. Every other failure is silent.
void AssignStaticAddress(HWND owner);
