// The transfer log: one entry for every transfer, appended to a text file
// of the data directory, so that the operator finds afterwards what went
// over the line, what the controller answered and where it stopped. The
// file is UTF-8; entries are separated by an empty line.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/transfer_record.h"

namespace rur {

// The log file: data directory + "Protokoll.txt".
std::string TransferLogName(const std::string& dataDirectory);

// What the entry says besides the record.
struct TransferLogFacts {
  std::time_t start = 0;           // when the transfer started (local time in the entry)
  std::string programFile;         // empty: a program without a file
  std::int64_t programBytes = -1;  // the file's size; -1 when it cannot be read
};

// The entry's lines, each ending in "\n", and the empty line that closes
// it: date and time, program file and size, blocks, frames, bytes,
// repeats, pauses and their length, one line for every reply that was not
// a plain confirmation, the end text and the last confirmed block.
std::string TransferLogEntry(const TransferLogFacts& facts, const transfer::TransferRecord& record);

// Appends text to the file at path (created when missing). False with
// failure naming the file and the reason.
bool AppendToFile(const std::string& path, std::string_view text, std::string& failure);

// The most of a log file that is read: a log that grew over years (or a
// file that is no log) still opens at once, with its newest entries.
inline constexpr std::size_t kTransferLogShown = 1 << 20;

// The entries of the log file at path, newest first; none when it cannot
// be read (a log not yet written). Of a longer file only its last
// `limit` bytes are read, from the first entry that starts in them.
std::vector<std::string> ReadTransferLog(const std::string& path, std::size_t limit = kTransferLogShown);

// The entries of a log's text, newest first, each without its closing
// empty line. A text cut off in an entry keeps what there is of it.
std::vector<std::string> LogEntriesNewestFirst(std::string_view logText);

}  // namespace rur
