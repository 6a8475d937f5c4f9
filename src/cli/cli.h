#pragma once
// formet-cli: the company data store without the desktop, for bookkeepers who
// script many clients and for tests.
#include <iosfwd>
#include <string>
#include <vector>

namespace formet::cli {

// Runs one command line (without the program name). Returns the exit code.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace formet::cli
