#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = tamso::runCli(args, std::cout, std::cerr);
  // Text that never reached standard output (a full disk, a closed pipe) is a failure.
  if (!std::cout.flush() && status == tamso::cli::exitSuccess) {
    std::cerr << "tamso-cli: cannot write to standard output\n";
    return tamso::cli::exitFailure;
  }
  return status;
}
