#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <memory>

#include "framework/CMDIChildWnd.h"
#include "framework/ModalHook.h"
#include "framework/core/RegisteredMessages.h"
#include "module/HostMessages.h"
#include "tests/module/ModuleHost.h"

namespace {

// The library's frame, reached the way the host reaches it: through the document it
// opened.
class ChildFrameTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(TheModule().entry, nullptr) << TheModule().error;
    CDocument* doc = host.OpenDocument(host.AddModuleTemplate());
    ASSERT_NE(doc, nullptr);
    frame = dynamic_cast<CMDIChildWnd*>(HostFixture::ViewOf(doc)->GetParentFrame());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetSubWindow(), nullptr);
  }

  HostFixture host;
  CMDIChildWnd* frame = nullptr;
};

TEST_F(ChildFrameTest, PreCreateWindowTogglesTheSystemMenuAndAddsMaximise) {
  // A fresh object of the same class, as the template makes it, before any window.
  std::unique_ptr<CObject> object(frame->GetRuntimeClass()->CreateObject());
  auto* fresh = dynamic_cast<CMDIChildWnd*>(object.get());
  ASSERT_NE(fresh, nullptr);
  const struct {
    LONG style;
    bool sysMenuAfter;
  } cases[] = {
      {WS_OVERLAPPEDWINDOW, false},        // the base style has it: cleared
      {WS_OVERLAPPED | WS_CAPTION, true},  // without it: set
      {WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX, false},
  };
  for (const auto& c : cases) {
    CREATESTRUCT cs;
    cs.style = c.style;
    ASSERT_TRUE(fresh->PreCreateWindow(cs));
    EXPECT_EQ((cs.style & WS_SYSMENU) != 0, c.sysMenuAfter) << std::hex << c.style;
    EXPECT_EQ(cs.style & (WS_MAXIMIZE | WS_MAXIMIZEBOX), WS_MAXIMIZE | WS_MAXIMIZEBOX);
    EXPECT_EQ(cs.style & WS_CAPTION, WS_CAPTION);  // the rest stays
  }
}

TEST_F(ChildFrameTest, OpenedFrameHasNoSystemMenuAndShowsMaximised) {
  EXPECT_EQ(frame->GetStyle() & WS_SYSMENU, 0u);
  EXPECT_NE(frame->GetStyle() & WS_MAXIMIZE, 0u);
  QMdiSubWindow* sub = frame->GetSubWindow();
  EXPECT_FALSE(sub->windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(sub->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(sub->isMaximized());
}

TEST_F(ChildFrameTest, ActivateFrameShowsMaximisedWhateverIsAsked) {
  QMdiSubWindow* sub = frame->GetSubWindow();
  for (int show : {SW_SHOWNORMAL, SW_SHOW, SW_RESTORE, -1}) {
    sub->showNormal();
    ASSERT_FALSE(sub->isMaximized());
    frame->ActivateFrame(show);
    EXPECT_TRUE(sub->isMaximized()) << show;
  }
}

TEST_F(ChildFrameTest, PreferencesChangedMessageShowsTheUpdateBox) {
  std::vector<std::string> texts;
  UINT type = 0xFFFF;
  ScopedModalHook hook([&](ModalRequest& request) {
    texts.push_back(request.Text());
    type = request.Type();
    request.Answer(IDOK);
  });
  const LRESULT result = frame->SendMessage(RegisterWindowMessageA(kPrefsChangedMessageName));
  EXPECT_EQ(texts, std::vector<std::string>{"Update Main Pref!"});
  EXPECT_EQ(type & 0xF, MB_OK);
  EXPECT_EQ(result, 0);
}

}  // namespace
