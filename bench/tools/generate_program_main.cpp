// rur_generate_program BLOCKS FILE: writes the deterministic benchmark
// program (for timing rur-cli draw from the shell, e.g. with hyperfine).
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "program_generator.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: rur_generate_program BLOCKS FILE\n");
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary);
  for (const auto& line : bench::GenerateProgram(std::atoi(argv[1]))) out << line << "\r\n";
  return out ? 0 : 1;
}
