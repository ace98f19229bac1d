// File-system helpers shared by every data file: splitting names from their
// directory, finding a file without regard to letter case, reading a whole
// file with a size limit, and replacing a file only after the new content
// has been written completely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// Windows accepts ':' as a directory end (a bare drive) and uses '\' as its
// separator; POSIX uses '/'. Both accept '/' and '\' when splitting.
enum class PathStyle { Posix, Windows };

PathStyle NativePathStyle();
char Separator(PathStyle style);

// Index just past the last directory separator of path (0 when none).
std::size_t DirectoryEnd(std::string_view path, PathStyle style = NativePathStyle());

// The part after the last separator, and the part up to and including it.
std::string FileNamePart(std::string_view path, PathStyle style = NativePathStyle());
std::string DirectoryPart(std::string_view path, PathStyle style = NativePathStyle());

// Appends the platform separator unless dir is empty, already ends in a
// separator or (Windows) in ':'.
std::string WithTrailingSeparator(std::string_view dir, PathStyle style = NativePathStyle());

// The existing file in directory dir whose name equals name without regard
// to letter case (an exact match first). dir ends in a separator or is empty.
std::optional<std::string> FindFileNoCase(std::string_view dir, std::string_view name);

// The path to write dir + name to: an existing file of that name in any
// letter case, else dir + name as given.
std::string PathForWriting(std::string_view dir, std::string_view name);

enum class ReadStatus { Ok, Missing, Unreadable, TooLarge };

// Reads a whole file of at most maxBytes bytes.
ReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& out);

// Reads at most maxBytes bytes from the start of a file of any size.
ReadStatus ReadFileHead(const std::string& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out);

// Whether a write waits until the bytes are on the disk (files the operator
// keeps) or not (scratch files rewritten by every command).
enum class Durability { Synced, Scratch };

// Writes bytes to a temporary file beside path, flushes it and renames it
// over path. On failure path is untouched and the temporary file removed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes,
                        Durability durability = Durability::Synced);

}  // namespace data
