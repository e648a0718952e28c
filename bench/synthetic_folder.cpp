#include <cstdio>
#include <cstdlib>
#include <exception>

#include "synthetic_world.h"

// synthworld FOLDER [SCALE]: writes the benchmarks' synthetic world as a
// data folder the program, navtool and windowmemory start on.

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "Usage: synthworld FOLDER [SCALE]\n");
    return 2;
  }
  const int scale = argc == 3 ? std::atoi(argv[2]) : 1;
  if (scale < 1 || scale > 7) {
    std::fprintf(stderr, "SCALE runs from 1 to 7\n");
    return 2;
  }
  try {
    navbench::writeSyntheticFolder(argv[1], scale);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
