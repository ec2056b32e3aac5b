// Outcomes of operations that can fail: a value, or a message for the user.
//
// The core never shows anything itself; the window turns a failure's message
// into a modal message box. Messages are UTF-8 and name the file and the reason.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace quillet {

class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  static Status Failure(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !message_.has_value(); }
  explicit operator bool() const { return ok(); }
  // The failure's message; empty for success.
  const std::string& message() const {
    static const std::string kNone;
    return message_ ? *message_ : kNone;
  }

 private:
  Status() = default;
  explicit Status(std::string message) : message_(std::move(message)) {}
  std::optional<std::string> message_;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}             // NOLINT: implicit on purpose
  Result(Status failure) : failure_(std::move(failure)) {}  // NOLINT: implicit on purpose

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return *value_; }
  T& value() & { return *value_; }
  T&& value() && { return std::move(*value_); }
  const T* operator->() const { return &*value_; }
  const T& operator*() const { return *value_; }
  Status status() const { return ok() ? Status::Ok() : failure_; }
  const std::string& message() const { return failure_.message(); }

 private:
  std::optional<T> value_;
  Status failure_ = Status::Ok();
};

}  // namespace quillet
