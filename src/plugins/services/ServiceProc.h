#pragma once
#include "kvx.h"

// The host's service entry, handed to every plug-in by KVXLink: the host
// function for a service id, or null after the error box "Unsupported
// service call (SCID=%u)".
extern "C" KVXFunction KorvaneServiceProc(uint32_t serviceId);
