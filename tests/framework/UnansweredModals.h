#pragma once

#include <gtest/gtest.h>

#include "framework/dialogbase/ModalHook.h"

// A modal dialog or message box that no test answers would wait for a user who is not
// there: the suite would hang instead of failing. This fallback stays in force outside
// every test's own hook, fails the test with the window's title and closes it.
inline void FailUnansweredModals() {
  AfxSetModalHook([](ModalRequest& request) {
    ADD_FAILURE() << (request.Dialog() != nullptr ? "dialog" : "message box") << " \""
                  << request.Caption() << "\" opened with no test to answer it " << request.Text();
    request.PressCancel();
  });
}
