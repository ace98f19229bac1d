// rur_generate_program [--contours] BLOCKS FILE: writes a deterministic
// benchmark program (for timing rur-cli from the shell, e.g. with
// hyperfine); --contours writes the program of compensated contours.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "program_generator.h"

int main(int argc, char** argv) {
  const bool contours = argc == 4 && std::strcmp(argv[1], "--contours") == 0;
  if (argc != 3 && !contours) {
    std::fprintf(stderr, "usage: rur_generate_program [--contours] BLOCKS FILE\n");
    return 2;
  }
  const int blocks = std::atoi(argv[argc - 2]);
  std::ofstream out(argv[argc - 1], std::ios::binary);
  for (const auto& line : contours ? bench::GenerateContourProgram(blocks) : bench::GenerateProgram(blocks)) {
    out << line << "\r\n";
  }
  out.close();
  return out ? 0 : 1;
}
