#pragma once

#include "framework/messages/WinMessages.h"
#include "framework/messages/WinTypes.h"
#include "protocol/Protocol.h"

// Numeric ids of the module's resources, commands and dialog controls. The numbers are
// fixed: the host, the options files and the view code all refer to them, so a number here
// never changes meaning. Control ids repeat between dialogs (2014 is a button on the form and
// a combo box in three dialogs), so each control name carries its dialog's prefix.

// ---- Resources ------------------------------------------------------------------------

// The document type: document string, shared menu and child frame icon.
constexpr UINT IDR_DLLDOCTYPE = 129;
// The tree's right-click menu.
constexpr UINT IDR_TREE_POPUP = 2000;

// Dialog templates.
constexpr UINT IDD_DLLDOCUMENT_FORM = 101;
constexpr UINT IDD_ASSOCIATION_PAGE = 2002;
constexpr UINT IDD_MOVETO = 2030;
constexpr UINT IDD_NEWGROUP = 2031;
constexpr UINT IDD_QUICKINFO_PAGE = 2032;
constexpr UINT IDD_PREDEFGROUPS = 2034;
constexpr UINT IDD_MAINSETTINGS = 2035;
constexpr UINT IDD_PASSWORD = 2036;

// Icons (16 x 16, transparent where nothing is drawn).
constexpr UINT IDI_CHILDFRAME = IDR_DLLDOCTYPE;
constexpr UINT IDI_GROUP = 2011;
constexpr UINT IDI_APPLICATION_ENTRY = 2013;

// Bitmaps (16 x 16, magenta 0xFF00FF where transparent).
constexpr UINT IDB_VIEW_AS_TREE = 2005;
constexpr UINT IDB_VIEW_AS_LIST = 2007;
constexpr UINT IDB_NEW_GROUP = 2008;
constexpr UINT IDB_GROUP_UP = 2009;
constexpr UINT IDB_MOVE = 2014;
constexpr UINT IDB_COPY = 2015;
constexpr UINT IDB_PASTE = 2016;
constexpr UINT IDB_REMOVE = 2017;
constexpr UINT IDB_PREDEFINED_GROUPS = 2018;
constexpr UINT IDB_PREFERENCES = 2019;
constexpr UINT IDB_REPORTS = 2022;
constexpr UINT IDB_LOCK = 2023;
constexpr UINT IDB_UNLOCK = 2024;
constexpr UINT IDB_HELP = 2025;
constexpr UINT IDB_REFRESH = 2033;

// ---- Commands -------------------------------------------------------------------------

// Menu 129. The host handles "&File", "&Help" and its sub-popups, with the ids both sides
// share; About is the framework's standard ID_APP_ABOUT.
constexpr UINT ID_HOST_HIDE = host_cmd::kHide;
constexpr UINT ID_HOST_EXIT = host_cmd::kExit;
constexpr UINT ID_CONFIGURE_SETTINGS = 32771;
constexpr UINT ID_CONFIGURE_PREDEFGROUPS = 32779;
constexpr UINT ID_CONFIGURE_LOCKUNLOCK = 32782;
constexpr UINT ID_REPORTS_MAKE = 32780;
constexpr UINT ID_HELP_CONTENT = host_cmd::kHelpContent;
constexpr UINT ID_WWW_HOMEPAGE = host_cmd::kHomePage;
constexpr UINT ID_WWW_NEWSPAGE = host_cmd::kNewsPage;
constexpr UINT ID_WWW_UPDATES = host_cmd::kSeeUpdates;
constexpr UINT ID_FEEDBACK_BUGREPORT = host_cmd::kBugReport;
constexpr UINT ID_FEEDBACK_INFOREQUEST = host_cmd::kInformationRequest;
constexpr UINT ID_FEEDBACK_SUGGESTIONS = host_cmd::kSuggestions;

// Menu 2000.
constexpr UINT ID_POPUP_NEW = 32772;
constexpr UINT ID_POPUP_DELETE = 32773;
constexpr UINT ID_POPUP_COPY = 32774;
constexpr UINT ID_POPUP_PASTE = 32775;
constexpr UINT ID_POPUP_MOVETO = 32776;
constexpr UINT ID_POPUP_RENAME = 32777;

// ---- Controls of the form view (101) --------------------------------------------------

constexpr int IDC_VIEW_TOP_LINE = 2019;
constexpr int IDC_VIEW_PREDEFGROUPS = 2012;
constexpr int IDC_VIEW_PREFERENCES = 2013;
constexpr int IDC_VIEW_REPORTS = 2016;
constexpr int IDC_VIEW_LOCK = 2022;
constexpr int IDC_VIEW_UNLOCK = 2024;
constexpr int IDC_VIEW_HELP = 2026;
constexpr int IDC_VIEW_TOOLBAR_LINE = 2020;
constexpr int IDC_VIEW_GROUPBOX = 2003;
constexpr int IDC_VIEW_TREE = 2023;
constexpr int IDC_VIEW_LOOKIN_LABEL = 2028;
constexpr int IDC_VIEW_GROUP_COMBO = 2031;
constexpr int IDC_VIEW_GROUP_BUTTON = 2010;
constexpr int IDC_VIEW_APP_LIST = 2030;
constexpr int IDC_VIEW_BUTTONS_LINE = 2021;
constexpr int IDC_VIEW_MODE_TO_TREE = 2008;  // shown in list mode
constexpr int IDC_VIEW_MODE_TO_LIST = 2014;  // shown in tree mode
constexpr int IDC_VIEW_REFRESH = 2027;
constexpr int IDC_VIEW_MOVETO = 2009;
constexpr int IDC_VIEW_COPY = 2017;
constexpr int IDC_VIEW_PASTE = 2018;
constexpr int IDC_VIEW_NEWGROUP = 2011;
constexpr int IDC_VIEW_REMOVE = 2025;
constexpr int IDC_VIEW_TABHOST = 2006;

// ---- Association page (2002) ----------------------------------------------------------

constexpr int IDC_ASSOC_SHOWAS_LABEL = 2025;
constexpr int IDC_ASSOC_SHOWAS = 2024;
constexpr int IDC_ASSOC_RESTORE_NAME = 2032;
constexpr int IDC_ASSOC_LINE = 2033;
constexpr int IDC_ASSOC_ACTIVATE_LABEL = 2036;
constexpr int IDC_ASSOC_FILTER_CHECK = 2034;
constexpr int IDC_ASSOC_TITLE_FILTER = 2035;
constexpr int IDC_ASSOC_BUTTON_BAR = 2026;
constexpr int IDC_ASSOC_APPLY = IDOK;
constexpr int IDC_ASSOC_DISCARD = IDCANCEL;

// ---- Quick-info page (2032) -----------------------------------------------------------

constexpr int IDC_QI_FILENAME_LABEL = 2047;
constexpr int IDC_QI_FILENAME = 2042;
constexpr int IDC_QI_FILEPATH_LABEL = 2048;
constexpr int IDC_QI_FILEPATH = 2043;
constexpr int IDC_QI_MONTH_LINE = 2054;
constexpr int IDC_QI_MONTH_LABEL = 2049;
constexpr int IDC_QI_MONTH_BAR = 2039;
constexpr int IDC_QI_MONTH_TEXT = 2044;
constexpr int IDC_QI_WEEK_LINE = 2053;
constexpr int IDC_QI_WEEK_LABEL = 2050;
constexpr int IDC_QI_WEEK_BAR = 2040;
constexpr int IDC_QI_WEEK_TEXT = 2045;
constexpr int IDC_QI_TODAY_LINE = 2052;
constexpr int IDC_QI_TODAY_LABEL = 2051;
constexpr int IDC_QI_TODAY_BAR = 2041;
constexpr int IDC_QI_TODAY_TEXT = 2046;

// ---- Settings (2035) ------------------------------------------------------------------

constexpr int IDC_SET_PAGES = 2058;
constexpr int IDC_SET_PAGE_TITLE = 2059;
constexpr int IDC_SET_LOAD_ON_STARTUP = 2060;
constexpr int IDC_SET_PAUSE_INACTIVE = 2061;
constexpr int IDC_SET_IDLE_TIME = 2062;
constexpr int IDC_SET_IDLE_UNIT = 2063;
constexpr int IDC_SET_PAUSE_SCREENSAVER = 2064;
constexpr int IDC_SET_ENABLE_FILTER = 2065;
constexpr int IDC_SET_MIN_SECONDS_LABEL = 2066;
constexpr int IDC_SET_MIN_SECONDS = 2067;
constexpr int IDC_SET_MIN_SECONDS_UNIT = 2068;
constexpr int IDC_SET_MIN_PERCENT_LABEL = 2069;
constexpr int IDC_SET_MIN_PERCENT = 2070;
constexpr int IDC_SET_MIN_PERCENT_UNIT = 2071;
constexpr int IDC_SET_LANGUAGE_LABEL = 2072;
constexpr int IDC_SET_LANGUAGE = 2014;
constexpr int IDC_SET_ANIMATED_ICON = 2073;
constexpr int IDC_SET_ENABLE_PASSWORD = 2074;
constexpr int IDC_SET_CHANGE_PASSWORD = 2075;
constexpr int IDC_SET_NEW_PASSWORD_LABEL = 2076;
constexpr int IDC_SET_CONFIRM_LABEL = 2077;
constexpr int IDC_SET_NEW_PASSWORD = 2078;
constexpr int IDC_SET_CONFIRM = 2079;
constexpr int IDC_SET_SAVE_PASSWORD = 2010;

// ---- Password prompt (2036) -----------------------------------------------------------

constexpr int IDC_PASS_PASSWORD = 2079;

// ---- Move-to (2030) and new group (2031) ----------------------------------------------

constexpr int IDC_MOVETO_GROUPS = 2014;
constexpr int IDC_NEWGROUP_NAME = 2038;
constexpr int IDC_NEWGROUP_CREATE_INTO = 2037;
constexpr int IDC_NEWGROUP_GROUPS = 2014;

// ---- Predefined groups (2034) ---------------------------------------------------------

constexpr int IDC_PREDEF_CURRENT_TREE = 2055;
constexpr int IDC_PREDEF_DELETE = 2061;
constexpr int IDC_PREDEF_COPY_ONE = 2057;
constexpr int IDC_PREDEF_COPY_ALL = 2062;
constexpr int IDC_PREDEF_CATALOGUE_TREE = 2056;
