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

// The blocks of one contour of GenerateContourProgram, starting with its
// rapid move.
std::vector<std::string> Contour(double x0, double y0, double w, double h, bool inside) {
  constexpr double r = 8;
  const double x1 = x0 + w;
  const double y1 = y0 + h;
  char line[160];
  std::vector<std::string> blocks;
  auto add = [&](const char* pattern, double a, double b, double c = 0, double d = 0) {
    std::snprintf(line, sizeof line, pattern, a, b, c, d);
    blocks.push_back(line);
  };
  add("G40 G00 X%.3f Y%.3f", x0, y0);
  add(inside ? "G41 G01 X%.3f Y%.3f F500" : "G42 G01 X%.3f Y%.3f F500", (x0 + x1 - r) / 2, y0);
  add("X%.3f Y%.3f", x1 - r, y0);
  add("G03 X%.3f Y%.3f I%.3f J%.3f", x1, y0 + r, x1 - r, y0 + r);
  add("G01 X%.3f Y%.3f", x1, y1 - r);
  add("G03 X%.3f Y%.3f I%.3f J%.3f", x1 - r, y1, x1 - r, y1 - r);
  add("G01 X%.3f Y%.3f", x0 + r, y1);
  add("G03 X%.3f Y%.3f I%.3f J%.3f", x0, y1 - r, x0 + r, y1 - r);
  add("G01 X%.3f Y%.3f", x0, (y0 + y1 - r) / 2);
  add("X%.3f Y%.3f", x0, y0);
  return blocks;
}

}  // namespace

std::vector<std::string> GenerateContourProgram(int records, std::uint32_t seed) {
  Random random(seed);
  std::vector<std::string> lines{"%1", "N10 G90 T1 D1 M3"};
  int number = 20;
  bool inside = true;
  while (true) {
    const double w = random.Uniform(30, 80);
    const double h = random.Uniform(30, 80);
    const auto blocks = Contour(random.Uniform(10, 390 - w), random.Uniform(10, 290 - h), w, h, inside);
    inside = !inside;
    for (const auto& block : blocks) {
      // The listing's empty first line and the header are stored too.
      const bool last = static_cast<int>(lines.size()) + 2 >= records;
      std::string line = "N";
      line += std::to_string(number);
      line += ' ';
      line += last ? std::string("G40 M30") : block;
      lines.push_back(std::move(line));
      if (last) return lines;
      number += 10;
    }
  }
}

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
