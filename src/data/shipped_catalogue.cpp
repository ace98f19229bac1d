#include "data/shipped_catalogue.h"

#include <cstdio>
#include <optional>

#include "data/data_directory.h"
#include "data/files.h"
#include "data/message_centre.h"
#include "data/user_data_seeding.h"

namespace data {
namespace {

constexpr std::size_t kHashDigits = 16;

std::optional<std::string> RecordedHash(const std::string& userDir) {
  const auto record = ReadSeedFile(userDir + kShippedCatalogueRecord);
  if (!record || record->size() < kHashDigits) return std::nullopt;
  return record->substr(0, kHashDigits);
}

bool Record(const std::string& userDir, const std::string& hash) {
  return WriteFileReplacing(userDir + kShippedCatalogueRecord, hash + "\n");
}

bool Install(const std::string& userDir, const std::string& target, const std::string& shipped) {
  return WriteFileReplacing(target, shipped) && Record(userDir, HashText(shipped));
}

}  // namespace

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::string HashText(std::string_view bytes) {
  char text[kHashDigits + 1];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Fnv1a64(bytes)));
  return text;
}

bool UpdateCatalogue(const std::string& userDir, const std::string& shippedPath) {
  const auto shipped = ReadSeedFile(shippedPath);
  if (!shipped) return false;
  const auto own = FindFileNoCase(userDir, kCatalogueName);
  if (!own) {
    if (FindEntryNoCase(userDir, kCatalogueName)) return false;  // a folder or link in its place stays
    return Install(userDir, userDir + FileNamePart(shippedPath), *shipped);
  }
  const auto mine = ReadSeedFile(*own);
  if (!mine) return false;
  const auto recorded = RecordedHash(userDir);
  if (*mine == *shipped) {
    // Already the shipped one; a stale record (a replacement whose record
    // was not written) would keep the copy from later updates.
    if (recorded && *recorded != HashText(*shipped)) return Record(userDir, HashText(*shipped));
    return true;
  }
  if (!recorded || *recorded != HashText(*mine)) return true;  // the operator's own catalogue
  return Install(userDir, *own, *shipped);
}

}  // namespace data
