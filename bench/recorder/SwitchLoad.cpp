// Load for the recorder's CPU measurement: makes two windows on $DISPLAY and makes them
// active in turn, as a pager would, `rate` times a second for `seconds` seconds.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

xcb_window_t MakeWindow(xcb_connection_t* c, xcb_screen_t* screen, const std::string& name) {
  const xcb_window_t window = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 300, 200, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
  const std::string wmClass = name + '\0' + name + '\0';
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(wmClass.size()), wmClass.data());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(name.size()), name.data());
  xcb_map_window(c, window);
  return window;
}

void Activate(xcb_connection_t* c, xcb_window_t root, xcb_atom_t active, xcb_window_t window) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = active;
  message.data.data32[0] = 2;
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);
}

}  // namespace

int main(int argc, char** argv) {
  const int rate = argc > 1 ? std::atoi(argv[1]) : 10;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c) != 0 || rate <= 0 || seconds <= 0) {
    std::fprintf(stderr, "usage: recorder-switch-load [RATE] [SECONDS] (on an X display)\n");
    return 2;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t windows[2] = {MakeWindow(c, screen, "first"), MakeWindow(c, screen, "second")};
  const xcb_atom_t active = Atom(c, "_NET_ACTIVE_WINDOW");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // let the manager frame them
  const auto step = std::chrono::microseconds(1000000 / rate);
  auto next = std::chrono::steady_clock::now();
  for (int i = 0; i < rate * seconds; ++i) {
    Activate(c, screen->root, active, windows[i % 2]);
    next += step;
    std::this_thread::sleep_until(next);
  }
  xcb_disconnect(c);
  return 0;
}
