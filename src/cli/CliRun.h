// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace brevanto::cli {

// brevanto-cli: loads the scene through the main window's own commands on the
// headless platform, computes it and carries out the options. `arguments` are
// those after the program name. Returns the exit status: 0 done, 1 the scene
// could not be loaded, computed or drawn or a file not written (the program's
// messages on `err`), 2 a usage error.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace brevanto::cli
