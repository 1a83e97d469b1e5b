#pragma once

// What the host and the module agree on, in one place: the names of the two
// registered window messages and the ids of the shared menu's commands that the host
// answers. No Qt and no framework: both sides and the tools may include it.

// The Settings dialog has rewritten the preferences file; the host re-reads it.
inline constexpr const char kPrefsChangedMessageName[] =
    "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D06";
// The host makes a report of the current totals.
inline constexpr const char kReportRequestMessageName[] =
    "WM_ACTIVATE_MSG-44E531B1_14D3_11d5_A025_006067718D91";

// Commands of the module's shared menu that reach the host.
namespace host_cmd {
inline constexpr unsigned int kHide = 32802;
inline constexpr unsigned int kExit = 32803;
inline constexpr unsigned int kHelpContent = 32783;
inline constexpr unsigned int kBugReport = 32795;
inline constexpr unsigned int kInformationRequest = 32796;
inline constexpr unsigned int kSuggestions = 32797;
inline constexpr unsigned int kHomePage = 32798;
inline constexpr unsigned int kNewsPage = 32799;
inline constexpr unsigned int kSeeUpdates = 32800;
inline constexpr unsigned int kAbout = 57664;
}  // namespace host_cmd
