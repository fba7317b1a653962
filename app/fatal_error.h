// The unrecoverable errors besides exhausted memory (std::bad_alloc): the
// main window cannot be created, or a function bound by name is missing.
// The message names what failed and is shown as it is.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace cdk::app {

class FatalError : public std::exception {
 public:
  explicit FatalError(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& message() const { return message_; }
  // Moves the message out without allocating (for the way out).
  std::wstring TakeMessage() noexcept { return std::move(message_); }
  const char* what() const noexcept override { return "unrecoverable error"; }

 private:
  std::wstring message_;
};

}  // namespace cdk::app
