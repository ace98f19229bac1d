// Reading a program file whole, within a byte limit. Only regular files
// are read: a directory, device or pipe counts as a file that cannot be
// opened (a pipe or terminal could block forever).
#pragma once

#include <cstddef>
#include <string>

namespace nc {

enum class FileRead { Ok, CannotOpen, ReadError, TooLarge };

// The whole content of path into bytes when it has at most limit bytes.
FileRead ReadProgramBytes(const std::string& path, std::size_t limit, std::string& bytes);

}  // namespace nc
