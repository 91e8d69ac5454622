// Gives the TCP/IP protocol bound to the card the gateway's fixed address:
// from the card's PCI device key, through each instance's bindings, to each
// TCP/IP driver key, which gets "IPAddress" and "IPMask".
#pragma once

#include "platform/api.h"

// Writes the address and mask texts of the setup state into every TCP/IP
// binding of the card. True when at least one binding got both; otherwise
// (the card's device key cannot be reached, or no binding could be written)
// shows the address warning owned by owner and returns false. A binding that
// fails while another succeeds is passed over in silence.
bool AssignStaticAddress(HWND owner);
