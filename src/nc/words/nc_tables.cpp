#include "nc/words/nc_tables.h"

#include "data/files.h"

namespace nc {

bool CreateNcTables(data::SubprogramTable& subprograms, ParamTable& params, std::string_view mainProgramFile) {
  subprograms = data::SubprogramTable{};
  params = ParamTable{};
  subprograms.entries[0].name = data::FileNamePart(mainProgramFile).substr(0, data::kMaxSubprogramName);
  return true;
}

}  // namespace nc
