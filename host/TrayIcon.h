#pragma once

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QSystemTrayIcon;
class QTimer;

// The host's icon in the system tray: a small clock whose hand turns while the icon is
// animated. Activating it (click, or "Show TaskMeter" in its menu) brings the main window
// back. Where the desktop offers no tray the icon is never shown and callers minimise
// instead of hiding.
class CTrayIcon : public QObject {
 public:
  static constexpr int kFrameCount = 8;
  static constexpr int kFrameMilliseconds = 250;

  CTrayIcon(std::function<void()> onRestore, std::function<void()> onExit);
  ~CTrayIcon() override;

  // Whether the desktop has a tray (QSystemTrayIcon's answer unless a test decided).
  static bool Available();
  static void SetAvailableForTesting(std::optional<bool> available);

  void Show();
  void Hide();
  bool IsShown() const { return m_shown; }

  // Animation turns the hand every kFrameMilliseconds while the icon is shown.
  void SetAnimated(bool animated);
  bool IsAnimated() const { return m_animated; }
  bool IsTurning() const;
  int Frame() const { return m_frame; }
  // Moves the hand on by one step (what the animation timer does).
  void Step();

  // What a click on the icon does.
  void Activate();

  // The clock with its hand at `frame` (0 points up), for the tray and the windows.
  static QIcon FrameIcon(int frame);

 private:
  void UpdateTimer();

  std::function<void()> m_onRestore;
  std::function<void()> m_onExit;
  std::unique_ptr<QSystemTrayIcon> m_icon;
  std::unique_ptr<QMenu> m_menu;
  std::unique_ptr<QTimer> m_timer;
  bool m_shown = false;
  bool m_animated = false;
  int m_frame = 0;
};
