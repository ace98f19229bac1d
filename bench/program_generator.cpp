#include "program_generator.h"

#include <cmath>
#include <cstdio>

namespace bench {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// A small linear congruential generator: the same program on every machine.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  // Uniform in [lo, hi).
  double Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() % 1000000) / 1000000.0; }

 private:
  std::uint32_t state_;
};

std::string Format(const char* pattern, int n, double a, double b, double c = 0, double d = 0) {
  char line[128];
  std::snprintf(line, sizeof line, pattern, n, a, b, c, d);
  return line;
}

}  // namespace

std::vector<std::string> GenerateProgram(int records, std::uint32_t seed) {
  Random random(seed);
  std::vector<std::string> lines{"%1"};
  double x = 200;
  double y = 150;
  lines.push_back(Format("N%d G90 G00 X%.3f Y%.3f", 10, x, y));
  for (int n = 2; n < records - 1; ++n) {
    const int number = n * 10;
    const std::uint32_t kind = random.Next() % 10;
    if (kind < 6) {  // feed move within a step of 30
      x = std::fmin(390, std::fmax(10, x + random.Uniform(-30, 30)));
      y = std::fmin(290, std::fmax(10, y + random.Uniform(-30, 30)));
      lines.push_back(Format("N%d G01 X%.3f Y%.3f F500", number, x, y));
    } else if (kind < 9) {  // arc about a centre at most 10 away, fully inside
      const double r = random.Uniform(2, 10);
      const double toCentre = random.Uniform(0, 2 * static_cast<double>(kPi));
      double cx = std::fmin(380, std::fmax(20, x + r * std::cos(toCentre)));
      double cy = std::fmin(280, std::fmax(20, y + r * std::sin(toCentre)));
      const double radius = std::hypot(x - cx, y - cy);
      const double end = random.Uniform(0, 2 * static_cast<double>(kPi));
      x = cx + radius * std::cos(end);
      y = cy + radius * std::sin(end);
      lines.push_back(Format(kind == 6 ? "N%d G02 X%.3f Y%.3f I%.3f J%.3f" : "N%d G03 X%.3f Y%.3f I%.3f J%.3f",
                             number, x, y, cx, cy));
    } else {  // rapid move anywhere
      x = random.Uniform(10, 390);
      y = random.Uniform(10, 290);
      lines.push_back(Format("N%d G00 X%.3f Y%.3f", number, x, y));
    }
  }
  return lines;
}

}  // namespace bench
