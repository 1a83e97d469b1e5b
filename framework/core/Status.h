#pragma once

#include <optional>
#include <string>
#include <utility>

// What kind of failure an operation met, for callers that act on the kind rather than
// on the words.
enum class ErrorCode {
  None,
  AlreadyExists,  // refused, so as not to replace what is there
  Busy,           // held by another process
  CannotCreate,   // a folder or file could not be made
  CannotWrite,
  CannotRead,
  Unavailable,  // a display, desktop service, extension or library that is not there
};

// Success, or a failure's kind and the message the user reads.
class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  static Status Failure(ErrorCode code, std::string message) {
    return Status(code, std::move(message));
  }

  bool Ok() const { return code_ == ErrorCode::None; }
  explicit operator bool() const { return Ok(); }
  ErrorCode Code() const { return code_; }
  const std::string& Message() const { return message_; }

 private:
  Status(ErrorCode code, std::string message) : code_(code), message_(std::move(message)) {}

  ErrorCode code_ = ErrorCode::None;
  std::string message_;
};

// The failure of something that is not there to be had (a display, a service).
inline Status Unavailable(std::string message) {
  return Status::Failure(ErrorCode::Unavailable, std::move(message));
}

// A value, or the failure that left none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  Result(Status failure) : status_(std::move(failure)) {}  // a failed Status

  bool Ok() const { return value_.has_value(); }
  explicit operator bool() const { return Ok(); }
  const Status& GetStatus() const { return status_; }
  const std::string& Message() const { return status_.Message(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};
