// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/CliRun.h"

using namespace brevanto;
using namespace brevanto::cli;

int main(int argc, char* argv[]) {
    return RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
