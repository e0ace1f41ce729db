#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return korvex::cli::runCli(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
