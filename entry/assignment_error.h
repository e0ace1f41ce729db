// The one error class of user entry: a numeric entry that cannot be accepted raises it with the
// message the window shows in an information box, leaving the entry in place for correction.
#pragma once

#include <stdexcept>
#include <string>

namespace korvex {

class AssignmentError : public std::runtime_error {
 public:
  explicit AssignmentError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace korvex
