#include <signal.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // A limit on the size of files makes a write fail, which the command
  // reports, instead of ending the program unannounced.
  ::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  return formet::cli::Run(args, std::cout, std::cerr);
}
