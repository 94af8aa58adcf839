// The kassivo command-line host.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return kassivo::cli::RunKassivo(args, {std::cin, std::cout, std::cerr, isatty(1) == 1});
}
