#pragma once

#include <string>

class CWnd;

// The form's password lock: which of the form's controls it disables, and the prompt
// that lifts it.
class CPasswordLock {
 public:
  static constexpr int kUnlockTries = 3;

  explicit CPasswordLock(CWnd& form) : m_form(form) {}

  bool IsUnlocked() const { return m_unlocked; }
  // Disables the form's controls (but UnLock and Help, which go the other way) or
  // enables them again.
  void SetLocked(bool locked);
  // Prompts until `password` is typed, the prompt is cancelled or the wrong passwords
  // reach their limit; true for the right one. `failedUnlocks` counts the wrong ones and
  // belongs to whoever lives as long as the count must: after three, every further wrong
  // password ends its attempt without a new prompt.
  bool AskPassword(const std::string& password, int& failedUnlocks);

 private:
  void EnableControl(int id, bool enable);

  CWnd& m_form;
  bool m_unlocked = true;
};
