#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Status.h"
#include "recorder/DesktopWatch.h"

class WaylandClient;
class WaylandIdle;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

// The foreground of a wlroots compositor: the toplevel that wlr-foreign-toplevel-
// management reports as activated, with its title and app_id. The protocol names no
// process, so the application is known by its app_id. There is no screen saver to
// follow: a locker covers the screen without a protocol that tells other clients.
class WlrootsDesktop : public DesktopWatch {
 public:
  // The protocol's global name, which tells a wlroots compositor apart.
  static constexpr const char* kToplevelManager = "zwlr_foreign_toplevel_manager_v1";

  // Fails when `client`'s compositor does not offer the protocol.
  static Result<std::unique_ptr<WlrootsDesktop>> Open(std::unique_ptr<WaylandClient> client);
  ~WlrootsDesktop() override;
  WlrootsDesktop(const WlrootsDesktop&) = delete;
  WlrootsDesktop& operator=(const WlrootsDesktop&) = delete;

  int FileDescriptor() const override;
  void Dispatch(DesktopListener& listener) override;
  WindowFacts Foreground() override;
  // The window in front is always known here (or the desktop did not open).
  std::string ForegroundProblem() override { return {}; }
  void WatchIdle(std::optional<int64_t> thresholdMilliseconds) override;
  bool ScreenSaverActive() override { return false; }
  int64_t IdleMilliseconds() override;

 private:
  struct Toplevel {
    WlrootsDesktop* desktop = nullptr;
    zwlr_foreign_toplevel_handle_v1* handle = nullptr;
    std::string title, appId;
    bool activated = false;
    // Title, app_id and state take effect together at "done".
    std::string pendingTitle, pendingAppId;
    bool pendingActivated = false;
  };

  explicit WlrootsDesktop(std::unique_ptr<WaylandClient> client);
  void Adopt(zwlr_foreign_toplevel_handle_v1* handle);
  void Commit(Toplevel& toplevel);
  void Forget(Toplevel& toplevel);

  static void OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                         zwlr_foreign_toplevel_handle_v1* handle);
  static void OnFinished(void* data, zwlr_foreign_toplevel_manager_v1*);

  std::unique_ptr<WaylandClient> client_;
  std::unique_ptr<WaylandIdle> idle_;
  zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
  std::vector<std::unique_ptr<Toplevel>> toplevels_;
  const Toplevel* active_ = nullptr;
  bool changed_ = false;
  bool finished_ = false;
};
