#include "recorder/x11/X11Desktop.h"

#include <unistd.h>
#include <xcb/res.h>
#include <xcb/screensaver.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "recorder/ActivityBlock.h"
#include "recorder/ProcessPath.h"
#include "recorder/x11/X11IdleAlarms.h"
#include "recorder/x11/X11Reply.h"
#include "recorder/x11/X11Text.h"

namespace {

constexpr uint32_t kLongestProperty = 16384;  // in 32-bit units: captions are cut long before

std::string LocalHostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

xcb_screen_t* ScreenNumber(xcb_connection_t* connection, int number) {
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (; it.rem > 0; --number, xcb_screen_next(&it)) {
    if (number == 0) return it.data;
  }
  return nullptr;
}

}  // namespace

Result<std::unique_ptr<X11Desktop>> X11Desktop::Connect(const std::string& display) {
  int screenNumber = 0;
  xcb_connection_t* connection =
      xcb_connect(display.empty() ? nullptr : display.c_str(), &screenNumber);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    return Unavailable("cannot open the X11 display " + display);
  }
  xcb_screen_t* screen = ScreenNumber(connection, screenNumber);
  if (screen == nullptr) {
    xcb_disconnect(connection);
    return Unavailable("the X11 display " + display + " has no such screen");
  }
  std::unique_ptr<X11Desktop> desktop(new X11Desktop(connection, screen));
  if (Status ready = desktop->Initialise(); !ready) return ready;
  return desktop;
}

X11Desktop::X11Desktop(xcb_connection_t* connection, xcb_screen_t* screen)
    : connection_(connection), screen_(screen), hostName_(LocalHostName()) {}

X11Desktop::~X11Desktop() {
  if (ewmhReady_) xcb_ewmh_connection_wipe(&ewmh_);
  xcb_disconnect(connection_);
}

Status X11Desktop::Initialise() {
  xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection_, &ewmh_);
  if (xcb_ewmh_init_atoms_replies(&ewmh_, cookies, nullptr) == 0) {
    return Status::Failure(ErrorCode::Unavailable, "the X11 display does not answer");
  }
  ewmhReady_ = true;
  static constexpr char kCompoundText[] = "COMPOUND_TEXT";
  Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
      connection_, xcb_intern_atom(connection_, 0, sizeof kCompoundText - 1, kCompoundText),
      nullptr));
  if (atom) compoundText_ = atom->atom;
  const uint32_t rootEvents = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_, screen_->root, XCB_CW_EVENT_MASK, &rootEvents);
  InitialiseExtensions();
  xcb_flush(connection_);
  return {};
}

void X11Desktop::InitialiseExtensions() {
  const xcb_query_extension_reply_t* res = xcb_get_extension_data(connection_, &xcb_res_id);
  haveRes_ = res != nullptr && res->present;

  idle_ = std::make_unique<X11IdleAlarms>(connection_);

  const xcb_query_extension_reply_t* saver =
      xcb_get_extension_data(connection_, &xcb_screensaver_id);
  if (saver != nullptr && saver->present) {
    haveSaver_ = true;
    saverEventBase_ = saver->first_event;
    xcb_screensaver_select_input(connection_, screen_->root, XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
  }
}

int X11Desktop::FileDescriptor() const { return xcb_get_file_descriptor(connection_); }

void X11Desktop::Dispatch(DesktopListener& listener) {
  if (xcb_connection_has_error(connection_) != 0) {
    listener.DesktopLost();
    return;
  }
  // Reading a reply may queue further events, so the loop runs until none are left; a
  // burst of changes is reported once.
  bool changed = false;
  for (;;) {
    Reply<xcb_generic_event_t> event(xcb_poll_for_event(connection_));
    if (event) {
      changed = Handle(*event, listener) || changed;
      continue;
    }
    if (xcb_connection_has_error(connection_) != 0) {
      listener.DesktopLost();
      return;
    }
    if (!changed) break;
    changed = false;
    listener.ForegroundChanged();
  }
  xcb_flush(connection_);
}

bool X11Desktop::Handle(const xcb_generic_event_t& event, DesktopListener& listener) {
  const uint8_t type = event.response_type & 0x7F;
  if (type == XCB_PROPERTY_NOTIFY) {
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    if (notify.window == screen_->root) {
      if (notify.atom == ewmh_._NET_SUPPORTED || notify.atom == ewmh_._NET_SUPPORTING_WM_CHECK) {
        problemKnown_ = false;  // another window manager, or the same one saying more
        return true;
      }
      return notify.atom == ewmh_._NET_ACTIVE_WINDOW;
    }
    return notify.window == followed_ &&
           (notify.atom == ewmh_._NET_WM_NAME || notify.atom == XCB_ATOM_WM_NAME);
  }
  if (type == XCB_DESTROY_NOTIFY) {
    const auto& notify = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
    if (notify.window == managerWindow_ && managerWindow_ != XCB_NONE) {
      managerWindow_ = XCB_NONE;
      problemKnown_ = false;  // the window manager has gone
      return true;
    }
    if (notify.window != followed_) return false;
    identity_ = WindowIdentity{};  // the number may come back for another window
    return true;
  }
  if (const auto change = idle_->Handle(event)) {
    listener.IdleChanged(change->idle, change->idleMilliseconds);
    return false;
  }
  if (haveSaver_ && type == saverEventBase_ + XCB_SCREENSAVER_NOTIFY) {
    const auto& notify = reinterpret_cast<const xcb_screensaver_notify_event_t&>(event);
    const bool active =
        notify.state == XCB_SCREENSAVER_STATE_ON || notify.state == XCB_SCREENSAVER_STATE_CYCLE;
    listener.ScreenSaverChanged(active, IdleMilliseconds());
  }
  return false;  // errors (of windows that went away meanwhile) need no answer
}

WindowFacts X11Desktop::Foreground() {
  xcb_window_t active = XCB_NONE;
  if (xcb_ewmh_get_active_window_reply(&ewmh_, xcb_ewmh_get_active_window(&ewmh_, 0), &active,
                                       nullptr) == 0) {
    active = XCB_NONE;
  }
  Follow(active);
  WindowFacts facts;
  if (active == XCB_NONE) {
    facts.exists = false;
    return facts;
  }
  if (identity_.window != active) identity_ = Identify(active);
  if (identity_.gone) {
    facts.exists = false;
    return facts;
  }
  facts.title = ValidUtf8(Caption(active));
  facts.wmInstance = identity_.wmInstance;
  facts.wmClass = identity_.wmClass;
  facts.programPath = identity_.programPath;
  return facts;
}

std::string X11Desktop::ForegroundProblem() {
  if (!problemKnown_) {
    problem_ = FindForegroundProblem();
    problemKnown_ = true;
  }
  return problem_;
}

std::string X11Desktop::FindForegroundProblem() {
  static const std::string kCannot = "on this desktop the window in front cannot be known (";
  // A running manager names a window of its own that names itself; one that went away
  // leaves the root's property behind, but not its window.
  xcb_window_t check = XCB_NONE;
  xcb_window_t self = XCB_NONE;
  if (xcb_ewmh_get_supporting_wm_check_reply(
          &ewmh_, xcb_ewmh_get_supporting_wm_check(&ewmh_, screen_->root), &check, nullptr) == 0 ||
      check == XCB_NONE ||
      xcb_ewmh_get_supporting_wm_check_reply(
          &ewmh_, xcb_ewmh_get_supporting_wm_check(&ewmh_, check), &self, nullptr) == 0 ||
      self != check) {
    return kCannot + "no window manager runs)";
  }
  if (check != managerWindow_) {
    const uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, check, XCB_CW_EVENT_MASK, &structure);
    managerWindow_ = check;
  }
  xcb_ewmh_get_atoms_reply_t supported;
  bool active = false;
  if (xcb_ewmh_get_supported_reply(&ewmh_, xcb_ewmh_get_supported(&ewmh_, 0), &supported,
                                   nullptr) != 0) {
    active = std::find(supported.atoms, supported.atoms + supported.atoms_len,
                       ewmh_._NET_ACTIVE_WINDOW) != supported.atoms + supported.atoms_len;
    xcb_ewmh_get_atoms_reply_wipe(&supported);
  }
  return active ? std::string() : kCannot + "the window manager does not report the active window)";
}

void X11Desktop::Follow(xcb_window_t window) {
  if (window == followed_) return;
  // Our event mask on a window is ours alone: dropping it leaves other clients alone.
  const uint32_t none = XCB_EVENT_MASK_NO_EVENT;
  const uint32_t properties = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  if (followed_ != XCB_NONE) {
    xcb_change_window_attributes(connection_, followed_, XCB_CW_EVENT_MASK, &none);
  }
  if (window != XCB_NONE) {
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &properties);
  }
  followed_ = window;
}

std::string X11Desktop::Caption(xcb_window_t window) {
  xcb_ewmh_get_utf8_strings_reply_t name;
  if (xcb_ewmh_get_wm_name_reply(&ewmh_, xcb_ewmh_get_wm_name(&ewmh_, window), &name, nullptr)) {
    std::string text(name.strings, name.strings_len);
    xcb_ewmh_get_utf8_strings_reply_wipe(&name);
    return text;
  }
  Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(connection_,
                             xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME,
                                              XCB_GET_PROPERTY_TYPE_ANY, 0, kLongestProperty),
                             nullptr));
  if (!reply || reply->format != 8) return {};
  const std::string bytes(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
  // STRING is Latin-1 and COMPOUND_TEXT is decoded; UTF8_STRING and the rest are taken
  // as they come, and made valid UTF-8 by the caller.
  if (reply->type == XCB_ATOM_STRING) return Latin1ToUtf8(bytes);
  if (reply->type == compoundText_) return CompoundTextToUtf8(bytes);
  return bytes;
}

X11Desktop::WindowIdentity X11Desktop::Identify(xcb_window_t window) {
  WindowIdentity identity;
  identity.window = window;
  xcb_generic_error_t* error = nullptr;
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 1024),
      &error));
  if (error != nullptr) {
    // The window is gone; some managers leave its number behind as the active one.
    std::free(error);
    identity.gone = true;
    return identity;
  }
  if (reply && reply->format == 8) {
    const std::string bytes(static_cast<const char*>(xcb_get_property_value(reply.get())),
                            xcb_get_property_value_length(reply.get()));
    const WindowClass split = SplitWindowClass(bytes);
    identity.wmInstance = Latin1ToUtf8(split.instance);
    identity.wmClass = Latin1ToUtf8(split.className);
  }
  identity.programPath = ProgramPath(ProcessOf(window));
  return identity;
}

uint32_t X11Desktop::ProcessOf(xcb_window_t window) {
  if (haveRes_) {
    xcb_res_client_id_spec_t query{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    Reply<xcb_res_query_client_ids_reply_t> ids(xcb_res_query_client_ids_reply(
        connection_, xcb_res_query_client_ids(connection_, 1, &query), nullptr));
    if (ids) {
      auto it = xcb_res_query_client_ids_ids_iterator(ids.get());
      for (; it.rem > 0; xcb_res_client_id_value_next(&it)) {
        if ((it.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) != 0 &&
            xcb_res_client_id_value_value_length(it.data) >= 1) {
          return xcb_res_client_id_value_value(it.data)[0];
        }
      }
    }
  }
  // _NET_WM_PID names a process of the machine the client runs on, which need not be
  // this one.
  Reply<xcb_get_property_reply_t> machine(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 0, 64),
      nullptr));
  if (!machine || hostName_.empty() ||
      std::string(static_cast<const char*>(xcb_get_property_value(machine.get())),
                  xcb_get_property_value_length(machine.get())) != hostName_) {
    return 0;
  }
  uint32_t pid = 0;
  if (xcb_ewmh_get_wm_pid_reply(&ewmh_, xcb_ewmh_get_wm_pid(&ewmh_, window), &pid, nullptr) == 0) {
    return 0;
  }
  return pid;
}

void X11Desktop::WatchIdle(std::optional<int64_t> thresholdMilliseconds) {
  idle_->Watch(thresholdMilliseconds);
}

bool X11Desktop::ScreenSaverActive() {
  if (!haveSaver_) return false;
  Reply<xcb_screensaver_query_info_reply_t> info(xcb_screensaver_query_info_reply(
      connection_, xcb_screensaver_query_info(connection_, screen_->root), nullptr));
  return info &&
         (info->state == XCB_SCREENSAVER_STATE_ON || info->state == XCB_SCREENSAVER_STATE_CYCLE);
}

int64_t X11Desktop::IdleMilliseconds() {
  if (!haveSaver_) return 0;
  Reply<xcb_screensaver_query_info_reply_t> info(xcb_screensaver_query_info_reply(
      connection_, xcb_screensaver_query_info(connection_, screen_->root), nullptr));
  return info ? info->ms_since_user_input : 0;
}
