#include "workstation/transfer_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "data/text.h"

namespace rur {
namespace {

std::string Seconds(std::int64_t milliseconds) {
  char text[48];
  std::snprintf(text, sizeof text, "%lld,%lld s", static_cast<long long>(milliseconds / 1000),
                static_cast<long long>(milliseconds % 1000 / 100));
  return text;
}

std::string LocalTime(std::time_t when) {
  std::tm local{};
  char text[32] = "?";
  if (localtime_r(&when, &local) != nullptr) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace

std::string TransferLogName(const std::string& dataDirectory) { return dataDirectory + "Protokoll.txt"; }

std::string TransferLogEntry(const TransferLogFacts& facts, const transfer::TransferRecord& record) {
  const auto n = [](std::int64_t value) { return std::to_string(value); };
  std::string entry = "\xC3\x9C" "bertragung " + LocalTime(facts.start) + "\n";
  entry += "Programm: " + (facts.programFile.empty() ? std::string("(ohne Datei)") : facts.programFile);
  entry += facts.programBytes >= 0 ? " (" + n(facts.programBytes) + " Bytes)\n" : "\n";
  entry += "Baud: " + n(record.baud) + "\n";
  entry += "S\xC3\xA4tze: " + n(record.blockCount) + "\n";
  if (record.blocksSkipped > 0) entry += "Ab Satz: " + n(record.blocksSkipped + 1) + "\n";
  entry += "Rahmen: " + n(record.framesSent) + " gesendet, " + n(record.framesConfirmed) + " best\xC3\xA4tigt\n";
  entry += "Bytes: " + n(record.bytesSent) + "\n";
  entry += "Wiederholungen: " + n(record.repeats) + "\n";
  entry += "Pausen (Speicher voll): " + n(record.pauses) + ", " + Seconds(record.pausedMilliseconds) + "\n";
  for (const transfer::ControllerReply& reply : record.replies) {
    entry += "Antwort auf Rahmen " + n(reply.frame) + ": " + n(reply.byte) + " " + data::Cp1252ToUtf8(reply.text) + "\n";
  }
  entry += "Dauer: " + Seconds(record.elapsedMilliseconds) + "\n";
  entry += "Ende: " + data::Cp1252ToUtf8(record.endText) + "\n";
  entry += "Zuletzt best\xC3\xA4tigt: Satz " + n(record.blocksConfirmed) + "\n\n";
  return entry;
}

bool AppendToFile(const std::string& path, std::string_view text, std::string& failure) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    failure = path + ": " + std::strerror(errno);
    return false;
  }
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure = path + ": " + std::strerror(n < 0 ? errno : EIO);
      ::close(fd);
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) {
    failure = path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

std::vector<std::string> ReadTransferLog(const std::string& path, std::size_t limit) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return {};
  const std::streamoff size = file.tellg();
  if (size < 0) return {};
  const bool cut = static_cast<std::uint64_t>(size) > limit;
  // Of a cut log, the two bytes before the tail are read too: an entry
  // starts in the tail after an empty line, also right at its beginning.
  const std::streamoff tail = cut ? size - static_cast<std::streamoff>(limit) : 0;
  const std::streamoff from = std::max<std::streamoff>(tail - 2, 0);
  file.seekg(from);
  std::string text(static_cast<std::size_t>(size - from), '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  if (cut) {
    const std::size_t next = text.find("\n\n");
    text.erase(0, next == std::string::npos ? text.size() : next + 2);
  }
  return LogEntriesNewestFirst(text);
}

std::vector<std::string> LogEntriesNewestFirst(std::string_view logText) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start < logText.size()) {
    std::size_t end = logText.find("\n\n", start);
    const std::size_t next = end == std::string_view::npos ? logText.size() : end + 2;
    if (end == std::string_view::npos) end = logText.size();
    if (end > start) entries.emplace_back(logText.substr(start, end - start));
    start = next;
  }
  std::reverse(entries.begin(), entries.end());
  return entries;
}

}  // namespace rur
