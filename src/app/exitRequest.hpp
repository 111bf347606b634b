#pragma once

#include <stdexcept>
#include <string>

/// Thrown where the program must stop in an orderly way; `main` prints the message and exits with the code.
class exitRequest : public std::runtime_error {
  public:
    exitRequest(int exitCode, const std::string& message) : std::runtime_error(message), code(exitCode) {}
    int exitCode() const { return code; }

  private:
    int code;
};
