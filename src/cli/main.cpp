#include <iostream>

#include "cli/CliMain.h"

int main(int argc, char** argv) {
  // Nothing else in the program uses C's streams: the C++ ones may buffer on their own.
  std::ios::sync_with_stdio(false);
  return linkrake::RunCli(argc, argv, std::cin, std::cout, std::cerr);
}
