// The card's TCP/IP bindings in the registry: from the card's PCI device key
// ("Enum\PCI\VEN_1022&DEV_2001..."), through each instance's "Bindings",
// each "MSTCP\" binding's protocol instance key and its "Driver", to the
// TCP/IP driver's class key under "System\CurrentControlSet\Services\Class".
#pragma once

#include "platform/function_ref.h"

using ClassKeyVisit = vp::FunctionRef<void(const char *classPath)>;

// Calls visit with each binding's class key path (the key itself may be
// missing), instance by instance, binding by binding. False, with nothing
// visited, when the card's device key cannot be reached: "Enum\PCI" does not
// open, none of its subkeys is named after the card, or the device key does
// not open.
bool ForEachCardClassKey(ClassKeyVisit visit);
