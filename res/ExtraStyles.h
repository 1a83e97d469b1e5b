#pragma once

#include "framework/messages/WinTypes.h"

// Styles of the list, combo, tree, progress and check-box controls that the dialog
// templates need and the framework's style header does not carry. The values are the
// classic ones, so a control that reads them sees the numbers it expects. They live in
// their own namespace so that they never collide with the same names if the framework
// defines them later.
namespace extra_styles {

// List box.
constexpr LONG LBS_NOTIFY = 0x0001;
constexpr LONG LBS_SORT = 0x0002;
constexpr LONG LBS_OWNERDRAWFIXED = 0x0010;
constexpr LONG LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr LONG LBS_HASSTRINGS = 0x0040;
constexpr LONG LBS_NOINTEGRALHEIGHT = 0x0100;

// Combo box.
constexpr LONG CBS_DROPDOWNLIST = 0x0003;
constexpr LONG CBS_OWNERDRAWFIXED = 0x0010;
constexpr LONG CBS_SORT = 0x0100;
constexpr LONG CBS_HASSTRINGS = 0x0200;

// Tree view.
constexpr LONG TVS_HASBUTTONS = 0x0001;
constexpr LONG TVS_HASLINES = 0x0002;
constexpr LONG TVS_LINESATROOT = 0x0004;
constexpr LONG TVS_EDITLABELS = 0x0008;
constexpr LONG TVS_SHOWSELALWAYS = 0x0020;

// Progress bar.
constexpr LONG PBS_SMOOTH = 0x0001;

// Button: a caption that wraps onto several lines.
constexpr LONG BS_MULTILINE = 0x2000;

}  // namespace extra_styles
