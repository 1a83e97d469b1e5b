#pragma once

#include "framework/WinTypes.h"

// The commands of the module's shared menu that the host answers, and the host's own
// menu, shown while no document window is open.
namespace host_cmd {
constexpr UINT kHide = 32802;
constexpr UINT kExit = 32803;
constexpr UINT kHelpContent = 32783;
constexpr UINT kHomePage = 32798;
constexpr UINT kNewsPage = 32799;
constexpr UINT kSeeUpdates = 32800;
constexpr UINT kBugReport = 32795;
constexpr UINT kInformationRequest = 32796;
constexpr UINT kSuggestions = 32797;
constexpr UINT kAbout = 57664;
constexpr UINT kMainFrameResource = 128;
}  // namespace host_cmd
