// The message catalogue of a per-user data directory against the one an
// installation ships: a newer shipped catalogue replaces the operator's copy
// only while that copy is still the one shipped before, which a record of
// its content hash beside it tells. A copy without a record is the
// operator's own and is never replaced.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace data {

// The record of the catalogue last shipped into the directory: its FNV-1a
// 64-bit hash as 16 lower-case hex digits and a line end.
inline constexpr char kShippedCatalogueRecord[] = ".msg.dat.shipped";

std::uint64_t Fnv1a64(std::string_view bytes);
std::string HashText(std::string_view bytes);

// Brings the catalogue of userDir up to date with the shipped one at
// shippedPath: copies it when userDir has none, replaces an unchanged
// earlier copy, keeps a changed one. False when a read or write failed.
bool UpdateCatalogue(const std::string& userDir, const std::string& shippedPath);

}  // namespace data
