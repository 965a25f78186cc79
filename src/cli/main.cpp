#include <cstdio>

#include "cli/CliMain.h"

int main(int argc, char** argv) { return linkrake::RunCli(argc, argv, stdin, stdout, stderr); }
