#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <memory>

#include "framework/core/RegisteredMessages.h"
#include "framework/dialogbase/ModalHook.h"
#include "framework/windows/CMDIChildWnd.h"
#include "module/HostMessages.h"
#include "tests/module/ModuleHost.h"

namespace {

// The library's frame, reached the way the host reaches it: through the document it
// opened.
using ChildFrameTest = OpenModuleTest;

TEST_F(ChildFrameTest, PreCreateWindowTogglesTheSystemMenuAndAddsMaximise) {
  // A fresh object of the same class, as the template makes it, before any window.
  std::unique_ptr<CObject> object(view->GetParentFrame()->GetRuntimeClass()->CreateObject());
  auto* fresh = dynamic_cast<CMDIChildWnd*>(object.get());
  ASSERT_NE(fresh, nullptr);
  for (LONG style : {WS_OVERLAPPEDWINDOW, WS_OVERLAPPED | WS_CAPTION}) {
    CREATESTRUCT cs;
    cs.style = style;
    ASSERT_TRUE(fresh->PreCreateWindow(cs));
    EXPECT_EQ(cs.style & WS_SYSMENU, ~style & WS_SYSMENU) << std::hex << style;
    EXPECT_EQ(cs.style & (WS_MAXIMIZE | WS_MAXIMIZEBOX), WS_MAXIMIZE | WS_MAXIMIZEBOX);
    EXPECT_EQ(cs.style & WS_CAPTION, WS_CAPTION);  // the rest stays
  }
}

TEST_F(ChildFrameTest, FrameHasNoSystemMenuAndShowsMaximisedWhateverIsAsked) {
  auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame());
  ASSERT_NE(frame, nullptr);
  QMdiSubWindow* sub = frame->GetSubWindow();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(frame->GetStyle() & WS_SYSMENU, 0u);
  EXPECT_FALSE(sub->windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_TRUE(sub->isMaximized());
  for (int show : {SW_SHOWNORMAL, SW_RESTORE}) {
    sub->showNormal();
    frame->ActivateFrame(show);
    EXPECT_TRUE(sub->isMaximized()) << show;
  }
}

TEST_F(ChildFrameTest, PreferencesChangedMessageShowsTheUpdateBox) {
  std::vector<std::string> texts;
  ScopedModalHook hook([&](ModalRequest& request) {
    texts.push_back(request.Text());
    EXPECT_EQ(request.Type() & 0xF, MB_OK);
    request.Answer(IDOK);
  });
  EXPECT_EQ(view->GetParentFrame()->SendMessage(RegisterWindowMessageA(kPrefsChangedMessageName)),
            0);
  EXPECT_EQ(texts, std::vector<std::string>{"Update Main Pref!"});
}

}  // namespace
