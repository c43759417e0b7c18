#include <iostream>

#include "cli/runner.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return tallymar::cli::CliMain(argc, argv, std::cin, std::cout, std::cerr);
}
