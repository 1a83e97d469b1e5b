#pragma once

#include "framework/messages/WinTypes.h"
#include "protocol/Protocol.h"

// The commands of the module's shared menu that the host answers come from the
// protocol; the host's own menu, shown while no document window is open:
namespace host_cmd {
constexpr UINT kMainFrameResource = 128;
}  // namespace host_cmd
