// Reads a byte trace's text back into the bytes of each direction, checking
// the form of every line on the way, so that tests compare the bytes the
// trace holds with those the other end saw.
#pragma once

#include <cstdint>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support {

struct TraceBytes {
  std::vector<std::uint8_t> sent;
  std::vector<std::uint8_t> received;
  std::vector<double> times;  // of every line, in order
  std::string fault;          // the first line of the wrong form; empty when none
};

inline TraceBytes ReadTrace(const std::string& text) {
  static const std::regex kLine("( *[0-9]+\\.[0-9]{6}) ([<>])((?: [0-9A-F]{2}){1,16})");
  TraceBytes trace;
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line.rfind("# ", 0) != 0) trace.fault = "no header: " + line;
  while (trace.fault.empty() && std::getline(lines, line)) {
    std::smatch m;
    if (!std::regex_match(line, m, kLine)) {
      trace.fault = line;
      break;
    }
    trace.times.push_back(std::stod(m[1].str()));
    std::vector<std::uint8_t>& into = m[2] == ">" ? trace.sent : trace.received;
    std::istringstream hex(m[3].str());
    for (unsigned value; hex >> std::hex >> value;) into.push_back(static_cast<std::uint8_t>(value));
  }
  return trace;
}

}  // namespace testing_support
