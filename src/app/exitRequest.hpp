#pragma once

#include <iostream>
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

/// Writes one of the program's fixed fatal messages to standard output, then stops with exit code 1.
[[noreturn]] inline void stopWithMessage(const std::string& message) {
    std::cout << message << std::flush;
    throw exitRequest(1, "");
}
