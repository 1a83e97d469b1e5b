#pragma once

#include <string>

#include "framework/messages/WinTypes.h"

// What the host's Help menu opens.

// The project's version, set once in the build.
inline constexpr const char* kHostVersion = TASKMETER_VERSION;
inline constexpr const char* kHelpFileName = "TaskMeter.chm";
inline constexpr const char* kFeedbackAddress = "taskmeter@kestrelworks.example";

// The text of the About box: name, version and licence.
std::string AboutText();

// The help file beside the executable when it is there, else our own help page, which
// is written (again) into `helpFolder` so that it is always at hand. Empty when neither
// can be had.
std::string HelpTarget(const std::string& executableDirectory, const std::string& helpFolder);

// The help page's text.
std::string HelpPageHtml();

// The pages of the "www" items (32798 home, 32799 news, 32800 updates) are sections of
// the help page; empty for other ids or when there is no help page.
std::string WebTarget(UINT id, const std::string& helpFolder);

// A mail to the feedback address with a subject that names the item (32795 bug report,
// 32796 information request, 32797 suggestions); empty for other ids.
std::string FeedbackTarget(UINT id);
