#pragma once

#include <QTabBar>
#include <QWidget>

#include "framework/controls/ControlTypes.h"

// The tab strip of a tab control; every tab has one fixed size once it is set.
class StdTabBar : public QTabBar {
 public:
  explicit StdTabBar(QWidget* parent) : QTabBar(parent) {}

  QSize FixedTabSize() const { return m_fixed; }
  void SetFixedTabSize(QSize size);

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override;

 private:
  QSize m_fixed;
};

// The widget of a tab control: a tab strip across the top (or the bottom with
// TCS_BOTTOM) over a framed display area, in which the owner places its pages as
// children. A selection change by the user asks the parent first (TCN_SELCHANGING,
// which may refuse it) and reports it after (TCN_SELCHANGE); a change by code is silent.
class StdTabWidget : public QWidget {
 public:
  StdTabWidget(QWidget* parent, DWORD style);

  StdTabBar* Bar() const { return m_bar; }
  // The display area inside `outer` (or the reverse with `larger`), in the same frame.
  QRect AdjustRect(bool larger, const QRect& outer) const;
  int StripHeight() const;
  void SetCurrentByCode(int index);
  void Relayout();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void RequestUserSelect(int index);

  StdTabBar* m_bar;
  bool m_bottom;
  bool m_byUser = false;
};
