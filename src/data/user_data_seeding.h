// Seeding the per-user data directory from an installation's shared data:
// every file and folder missing there is copied, nothing present is
// overwritten; the message catalogue follows newer installations while the
// operator has not changed it (shipped_catalogue.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace data {

// Creates dir and its missing parents with mode 0755 (less the umask).
// True when dir is a folder afterwards.
bool CreateDirectories(const std::string& dir);

// The existing entry of any kind (file, folder, link) in dir whose name
// equals name without regard to letter case, an exact match first. dir
// ends in a separator or is empty (the current directory).
std::optional<std::string> FindEntryNoCase(std::string_view dir, std::string_view name);

// Largest file seeding copies (the shipped files are far smaller).
inline constexpr std::size_t kMaxSeedFileBytes = 64u << 20;

// The bytes of a regular file of at most kMaxSeedFileBytes; nothing when it
// is missing, of another kind, too large or unreadable.
std::optional<std::string> ReadSeedFile(const std::string& path);

// Copies every file and folder of shareDir that userDir lacks (names
// compared without regard to letter case) and brings the catalogue up to
// date. Nothing happens when shareDir holds no msg.dat. Both end in a
// separator. False when something could not be copied; the rest is still
// done.
bool SeedDataDirectory(const std::string& userDir, const std::string& shareDir);

}  // namespace data
