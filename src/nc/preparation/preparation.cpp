#include "nc/preparation/preparation.h"

#include "data/files.h"
#include "data/work_listing.h"

namespace nc {

bool PrepareProgram(Preparation& p, const std::string& scratchFile) {
  p.listing.lineCount = 1;
  p.subprograms = data::SubprogramTable{};
  p.bytesRead = 0;
  p.lowerCaseSubprograms.clear();
  p.programName = data::FileNamePart(p.mainProgramFile).substr(0, data::kMaxProgramName);
  p.subprograms.entries[0].name = p.programName;
  p.subprograms.entries[0].start = 1;
  p.subprogramMode = false;
  if (!LoadProgramFile(p, scratchFile)) return false;
  p.subprograms.entries[0].end = p.listing.lineCount;
  return true;
}

}  // namespace nc
