#include "transfer/tracing_line.h"

namespace transfer {

bool TracingLine::Open(const data::PortParameters& port) {
  trace_.Start();
  return line_.Open(port);
}

void TracingLine::ReadAvailable(std::vector<std::uint8_t>& into) {
  const std::size_t before = into.size();
  line_.ReadAvailable(into);
  if (into.size() > before) {
    trace_.Record(TraceDirection::kReceived, std::span<const std::uint8_t>(into).subspan(before));
  }
}

std::size_t TracingLine::Write(std::span<const std::uint8_t> bytes) {
  const std::size_t taken = line_.Write(bytes);
  trace_.Record(TraceDirection::kSent, bytes.first(taken < bytes.size() ? taken : bytes.size()));
  return taken;
}

}  // namespace transfer
