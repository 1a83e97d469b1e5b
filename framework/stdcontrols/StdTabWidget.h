#pragma once

#include <QTabBar>
#include <QWidget>

#include "framework/stdcontrols/ControlTypes.h"

// The tab strip of a tab control; every tab has one fixed size once it is set. Without
// one, captions too long for the strip are cut short rather than pushing tabs off it.
class StdTabBar : public QTabBar {
 public:
  explicit StdTabBar(QWidget* parent) : QTabBar(parent) {}

  QSize FixedTabSize() const { return m_fixed; }
  void SetFixedTabSize(QSize size);

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override;

 private:
  // The width of the widest tab that lets every tab fit across the strip.
  int WidestTab() const;

  QSize m_fixed;
};

// The widget of a tab control: a tab strip across the top (the bottom with TCS_BOTTOM, down
// the left side with TCS_VERTICAL, down the right with TCS_VERTICAL | TCS_RIGHT) beside a
// framed display area, in which the owner places its pages as children. A selection change
// by the user asks the parent first (TCN_SELCHANGING, which may refuse it) and reports it
// after (TCN_SELCHANGE); a change by code is silent.
class StdTabWidget : public QWidget {
 public:
  StdTabWidget(QWidget* parent, DWORD style);

  StdTabBar* Bar() const { return m_bar; }
  // The display area inside `outer` (or the reverse with `larger`), in the same frame.
  QRect AdjustRect(bool larger, const QRect& outer) const;
  // How far the strip reaches into the control: its height, or its width when vertical.
  int StripThickness() const;
  void SetCurrentByCode(int index);
  void Relayout();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void RequestUserSelect(int index);
  bool Vertical() const;
  // The strip's room on its own side of the control; zero on the other three.
  QMargins StripMargins() const;

  StdTabBar* m_bar;
  bool m_byUser = false;
};
