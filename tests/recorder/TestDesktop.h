#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <string>
#include <vector>

// The X display the recorder's tests run on ($DISPLAY, an Xvfb with openbox), seen
// from a connection of the test's own: it makes windows, activates them as a pager
// would, fakes input through XTEST and switches the screen saver.
class TestDesktop {
 public:
  TestDesktop();
  ~TestDesktop();
  TestDesktop(const TestDesktop&) = delete;
  TestDesktop& operator=(const TestDesktop&) = delete;

  // Empty when the display is usable with a window manager; else why not.
  const std::string& Problem() const { return problem_; }

  // A window of this process, mapped and managed.
  xcb_window_t CreateWindow(const std::string& instance, const std::string& windowClass,
                            const std::string& title);
  // A window whose client has gone (its resources kept by the server), so that no
  // process can be found for it.
  xcb_window_t CreateOrphanWindow(const std::string& instance, const std::string& windowClass,
                                  const std::string& title);
  void SetTitle(xcb_window_t window, const std::string& title);
  // Gives the window only an old-style WM_NAME, of property type `type` (COMPOUND_TEXT).
  void SetLegacyTitle(xcb_window_t window, const char* type, const std::string& bytes);
  // Makes the window manager seem not to report the active window, or as it was.
  void SetActiveWindowReported(bool reported);
  void Close(xcb_window_t window);
  // Asks the window manager to activate `window` and waits until it has.
  bool Activate(xcb_window_t window);
  xcb_window_t ActiveWindow();
  // The managed window whose WM_CLASS instance is `instance`; XCB_NONE when none is.
  xcb_window_t FindWindow(const std::string& instance);
  static constexpr int kNoFrame = -100000;
  // Where the top of the window manager's frame around `window` is on the screen;
  // kNoFrame when the window does not exist.
  int FrameTop(xcb_window_t window);
  // A pointer motion through XTEST, as a user's hand on the mouse.
  void FakeInput();
  // Keycodes of the virtual display's keymap (evdev, us).
  static constexpr uint8_t kAltKey = 64, kLeftKey = 113, kReturnKey = 36, kHKey = 43;
  // A key typed through XTEST, with `modifier` held down when not 0.
  void TypeKey(uint8_t keycode, uint8_t modifier = 0);
  // The managed windows whose WM_CLASS instance is `instance`.
  size_t CountWindows(const std::string& instance);
  void ForceScreenSaver(bool active);
  // Closes the server's end of every other connection of this process that has made a
  // resource, as a server going away at the end of a session does.
  int DisconnectOurOtherClients();

 private:
  xcb_atom_t Atom(const char* name);
  bool WaitUntilManaged(xcb_window_t window,
                        std::chrono::seconds patience = std::chrono::seconds(10));
  std::vector<xcb_window_t> ManagedWindows();
  bool IsManaged(xcb_window_t window);
  // A property's value: as bytes, or as 32-bit words; empty when the window has none.
  std::string Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, uint32_t words);
  std::vector<uint32_t> Words(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                              uint32_t count);
  std::string InstanceOf(xcb_window_t window);
  void Sync();

  xcb_connection_t* connection_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
  std::string problem_;
  std::vector<xcb_window_t> windows_;
  std::vector<xcb_window_t> orphans_;
  std::vector<uint32_t> supported_;  // the manager's _NET_SUPPORTED, while replaced
};
