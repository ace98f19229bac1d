// An output file made ready before the work that fills it, so that an
// output that cannot be written stops a command before it starts: a regular
// file is replaced at the end by a file made beside it at once; a FIFO or
// character device is opened at once and written in place.
#pragma once

#include <string>
#include <string_view>

namespace data {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();  // a new file not put in place is removed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // False with the system's reason when `path` cannot be written (its
  // folder missing or read-only, a directory in its place, a FIFO without
  // a reader). Nothing at `path` changes yet.
  bool Open(const std::string& path, std::string& error);
  // Writes the bytes and puts them in place of what `path` held; false
  // with the reason when that failed, the old file then stays intact.
  bool Commit(std::string_view bytes, std::string& error);

 private:
  void Discard();

  std::string target_;  // what the rename replaces (a symbolic link's target)
  std::string temp_;    // the new file's name beside it, once it has one
  int fd_ = -1;
  bool inPlace_ = false;
};

}  // namespace data
