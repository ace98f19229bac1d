#include "workstation/block_origin.h"

namespace rur {

BlockOrigin OriginOfBlock(const data::BlockStore& store, const data::SubprogramTable& subprograms,
                          const EditorLineMap& map, std::int32_t position) {
  const data::BlockRecord& record = store.At(position);
  return OriginOfPlace(subprograms, map, {record.programIndex, record.listingLine, position});
}

BlockOrigin OriginOfPlace(const data::SubprogramTable& subprograms, const EditorLineMap& map,
                          const ListingPlace& record) {
  BlockOrigin origin;
  origin.position = record.position;
  origin.programIndex = record.programIndex;
  // The table names the main program by its file, a subprogram by its
  // number; its file is that number after a "%".
  origin.programName = (record.programIndex > 0 ? "%" : "") + subprograms.NameOf(record.programIndex);
  if (record.programIndex == 0) origin.editorLine = map.EditorLineOf(record.listingLine);
  if (origin.editorLine >= 0) {
    origin.line = origin.editorLine + 1;
    return origin;
  }
  // The entry's start is the listing line just before its "%" line.
  const bool known = record.programIndex >= 0 && record.programIndex < data::kSubprogramEntries;
  const std::int32_t start = known ? subprograms.entries[static_cast<std::size_t>(record.programIndex)].start : 0;
  origin.line = record.listingLine - start;
  return origin;
}

std::string DescribeOrigin(const BlockOrigin& origin) {
  // A new program has no name yet: its line alone.
  const std::string line = "Zeile " + std::to_string(origin.line);
  const std::string where = origin.programName.empty() ? line : origin.programName + ", " + line;
  return origin.position > 0 ? "Satz " + std::to_string(origin.position) + ": " + where : "Fehler in " + where;
}

}  // namespace rur
