#include "tests/recorder/TestDesktop.h"

#include <sys/wait.h>
#include <unistd.h>
#include <xcb/res.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "recorder/x11/X11Reply.h"

namespace {

bool PollUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void SetStringProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                       const std::string& value) {
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, 8,
                      static_cast<uint32_t>(value.size()), value.data());
}

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// Makes and maps a top-level window on `c`; the window manager then frames it.
xcb_window_t MakeWindow(xcb_connection_t* c, xcb_screen_t* screen, const std::string& instance,
                        const std::string& windowClass, const std::string& title) {
  const xcb_window_t window = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 10, 10, 200, 100, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
  const std::string classProperty = instance + '\0' + windowClass + '\0';
  SetStringProperty(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, classProperty);
  SetStringProperty(c, window, InternAtom(c, "_NET_WM_NAME"), InternAtom(c, "UTF8_STRING"), title);
  xcb_map_window(c, window);
  return window;
}

}  // namespace

TestDesktop::TestDesktop() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    problem_ = "no DISPLAY: run this suite through scripts/with-desktop.sh";
    return;
  }
  int number = 0;
  connection_ = xcb_connect(display, &number);
  if (xcb_connection_has_error(connection_) != 0) {
    problem_ = std::string("cannot connect to ") + display;
    return;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (; number > 0; --number) xcb_screen_next(&it);
  screen_ = it.data;
  const xcb_atom_t check = Atom("_NET_SUPPORTING_WM_CHECK");
  const bool managed =
      PollUntil([&] { return Words(screen_->root, check, XCB_ATOM_WINDOW, 1).size() == 1; },
                std::chrono::seconds(10));
  if (!managed) {
    problem_ = "no window manager runs on the display";
    return;
  }
  // A window shown, activated and closed first, as often as it takes: a window mapped
  // while openbox is still starting is never managed, and the test's windows must be.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  bool ready = false;
  while (!ready && std::chrono::steady_clock::now() < deadline) {
    const xcb_window_t warmUp = MakeWindow(connection_, screen_, "warm-up", "WarmUp", "warm-up");
    Sync();
    ready = WaitUntilManaged(warmUp, std::chrono::seconds(2)) && Activate(warmUp);
    xcb_destroy_window(connection_, warmUp);
    Sync();
    PollUntil([&] { return !IsManaged(warmUp); }, std::chrono::seconds(10));
  }
  if (!ready) problem_ = "the window manager does not answer";
}

TestDesktop::~TestDesktop() {
  if (connection_ == nullptr) return;
  SetActiveWindowReported(true);
  for (xcb_window_t window : windows_) xcb_destroy_window(connection_, window);
  for (xcb_window_t window : orphans_) xcb_kill_client(connection_, window);
  xcb_force_screen_saver(connection_, XCB_SCREEN_SAVER_RESET);
  Sync();
  // The window manager lets go of them before the next test looks.
  std::vector<xcb_window_t> gone = windows_;
  gone.insert(gone.end(), orphans_.begin(), orphans_.end());
  PollUntil(
      [&] { return std::none_of(gone.begin(), gone.end(), [&](auto w) { return IsManaged(w); }); },
      std::chrono::seconds(10));
  xcb_disconnect(connection_);
}

xcb_atom_t TestDesktop::Atom(const char* name) { return InternAtom(connection_, name); }

void TestDesktop::Sync() {
  Reply<xcb_get_input_focus_reply_t> ignored(
      xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

xcb_window_t TestDesktop::CreateWindow(const std::string& instance, const std::string& windowClass,
                                       const std::string& title) {
  const xcb_window_t window = MakeWindow(connection_, screen_, instance, windowClass, title);
  windows_.push_back(window);
  Sync();
  return WaitUntilManaged(window) ? window : XCB_NONE;
}

xcb_window_t TestDesktop::CreateOrphanWindow(const std::string& instance,
                                             const std::string& windowClass,
                                             const std::string& title) {
  int ends[2];
  if (::pipe(ends) != 0) return XCB_NONE;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ends[0]);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_set_close_down_mode(c, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    xcb_window_t window = MakeWindow(c, screen, instance, windowClass, title);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    [[maybe_unused]] ssize_t written = ::write(ends[1], &window, sizeof window);
    ::_exit(0);
  }
  ::close(ends[1]);
  xcb_window_t window = XCB_NONE;
  if (::read(ends[0], &window, sizeof window) != sizeof window) window = XCB_NONE;
  ::close(ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (window == XCB_NONE) return XCB_NONE;
  orphans_.push_back(window);
  return WaitUntilManaged(window) ? window : XCB_NONE;
}

std::vector<uint32_t> TestDesktop::Words(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                         uint32_t count) {
  const std::string bytes = Property(window, property, type, count);
  std::vector<uint32_t> words(bytes.size() / 4);
  if (!words.empty()) std::memcpy(words.data(), bytes.data(), words.size() * 4);
  return words;
}

std::string TestDesktop::Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                  uint32_t words) {
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, property, type, 0, words), nullptr));
  if (!reply) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     xcb_get_property_value_length(reply.get()));
}

std::vector<xcb_window_t> TestDesktop::ManagedWindows() {
  return Words(screen_->root, Atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 1024);
}

bool TestDesktop::IsManaged(xcb_window_t window) {
  const std::vector<xcb_window_t> managed = ManagedWindows();
  return std::find(managed.begin(), managed.end(), window) != managed.end();
}

bool TestDesktop::WaitUntilManaged(xcb_window_t window, std::chrono::seconds patience) {
  return PollUntil(
      [&] {
        Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && IsManaged(window);
      },
      patience);
}

void TestDesktop::Close(xcb_window_t window) {
  xcb_kill_client(connection_, window);
  Sync();
}

void TestDesktop::SetTitle(xcb_window_t window, const std::string& title) {
  SetStringProperty(connection_, window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), title);
  Sync();
}

void TestDesktop::SetLegacyTitle(xcb_window_t window, const char* type, const std::string& bytes) {
  SetStringProperty(connection_, window, XCB_ATOM_WM_NAME, Atom(type), bytes);
  xcb_delete_property(connection_, window, Atom("_NET_WM_NAME"));
  Sync();
}

void TestDesktop::SetActiveWindowReported(bool reported) {
  const xcb_atom_t supported = Atom("_NET_SUPPORTED");
  if (!reported && supported_.empty()) {
    supported_ = Words(screen_->root, supported, XCB_ATOM_ATOM, 4096);
  }
  std::vector<uint32_t> atoms = supported_;
  if (!reported) std::erase(atoms, Atom("_NET_ACTIVE_WINDOW"));
  if (!atoms.empty()) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, screen_->root, supported, XCB_ATOM_ATOM,
                        32, static_cast<uint32_t>(atoms.size()), atoms.data());
  }
  if (reported) supported_.clear();
  Sync();
}

void TestDesktop::TypeKey(uint8_t keycode, uint8_t modifier) {
  for (const auto& [type, code] : {std::pair{XCB_KEY_PRESS, modifier},
                                   {XCB_KEY_PRESS, keycode},
                                   {XCB_KEY_RELEASE, keycode},
                                   {XCB_KEY_RELEASE, modifier}}) {
    if (code != 0)
      xcb_test_fake_input(connection_, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  }
  Sync();
}

size_t TestDesktop::CountWindows(const std::string& instance) {
  size_t count = 0;
  for (xcb_window_t window : ManagedWindows()) count += InstanceOf(window) == instance;
  return count;
}

std::string TestDesktop::InstanceOf(xcb_window_t window) {
  const std::string value = Property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 256);
  return value.substr(0, value.find('\0'));
}

xcb_window_t TestDesktop::ActiveWindow() {
  const auto active = Words(screen_->root, Atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 1);
  return active.size() == 1 ? active[0] : static_cast<xcb_window_t>(XCB_NONE);
}

xcb_window_t TestDesktop::FindWindow(const std::string& instance) {
  for (xcb_window_t window : ManagedWindows()) {
    if (InstanceOf(window) == instance) return window;
  }
  return XCB_NONE;
}

int TestDesktop::FrameTop(xcb_window_t window) {
  Reply<xcb_translate_coordinates_reply_t> position(xcb_translate_coordinates_reply(
      connection_, xcb_translate_coordinates(connection_, window, screen_->root, 0, 0), nullptr));
  if (!position) return kNoFrame;
  const auto extents = Words(window, Atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 4);
  return position->dst_y - (extents.size() == 4 ? static_cast<int>(extents[2]) : 0);
}

bool TestDesktop::Activate(xcb_window_t window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom("_NET_ACTIVE_WINDOW");
  message.data.data32[0] = 2;  // from a pager: no focus-stealing prevention applies
  message.data.data32[1] = XCB_CURRENT_TIME;
  const auto ask = [&] {
    xcb_send_event(connection_, 0, screen_->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    Sync();
  };
  // A manager still busy with a new window may drop the request: it is asked again
  // until it has done it. Then once more: it handles its events in order, so once that
  // request is answered, whatever it still had to do with earlier windows is done too.
  for (int round = 0; round < 2; ++round) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      ask();
      if (PollUntil([&] { return ActiveWindow() == window; }, std::chrono::milliseconds(200))) {
        break;
      }
      if (std::chrono::steady_clock::now() > deadline) return false;
    }
  }
  return true;
}

void TestDesktop::FakeInput() {
  static int16_t x = 100;
  x = static_cast<int16_t>(x == 100 ? 300 : 100);
  xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen_->root, x, 200,
                      0);
  Sync();
}

void TestDesktop::ForceScreenSaver(bool active) {
  xcb_force_screen_saver(connection_, active ? XCB_SCREEN_SAVER_ACTIVE : XCB_SCREEN_SAVER_RESET);
  Sync();
}

int TestDesktop::DisconnectOurOtherClients() {
  const uint32_t own = xcb_get_setup(connection_)->resource_id_base;
  Reply<xcb_res_query_clients_reply_t> clients(
      xcb_res_query_clients_reply(connection_, xcb_res_query_clients(connection_), nullptr));
  if (!clients) return 0;
  int closed = 0;
  auto it = xcb_res_query_clients_clients_iterator(clients.get());
  for (; it.rem > 0; xcb_res_client_next(&it)) {
    const uint32_t base = it.data->resource_base;
    xcb_res_client_id_spec_t query{base, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    Reply<xcb_res_query_client_ids_reply_t> ids(xcb_res_query_client_ids_reply(
        connection_, xcb_res_query_client_ids(connection_, 1, &query), nullptr));
    if (!ids || base == own) continue;
    auto id = xcb_res_query_client_ids_ids_iterator(ids.get());
    if (id.rem > 0 && xcb_res_client_id_value_value_length(id.data) >= 1 &&
        xcb_res_client_id_value_value(id.data)[0] == static_cast<uint32_t>(::getpid())) {
      // A client is named by one of its resources: its first, which xcb numbers with
      // the base itself.
      xcb_kill_client(connection_, base);
      ++closed;
    }
  }
  Sync();
  return closed;
}
