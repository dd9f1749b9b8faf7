// The two kinds of failure: an Error carries the text the user is shown; an Abort ends an operation
// silently (the top-level reporting drops it without a box).
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace velmora {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
    const char* message() const noexcept { return what(); }
};

class Abort : public std::exception {
  public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

}  // namespace velmora
