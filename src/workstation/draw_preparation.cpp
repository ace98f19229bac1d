#include "workstation/draw_preparation.h"

#include <thread>

#include "data/files.h"
#include "data/program_file.h"
#include "nc/import/foreign_program.h"
#include "nc/preparation/preparation.h"

namespace rur {
namespace {

constexpr std::chrono::milliseconds kLockRetry{5};

bool Stopping(const Workstation& ws) { return ws.phase == data::RunPhase::kStopping; }

// Takes the scratch file's lock, retrying while another run holds it, at
// most for `patience`; the events are processed meanwhile, and a stop
// they bring ends the wait. False when stopped, or (after saying so) when
// another run still holds the lock at the end.
bool LockScratchFile(Workstation& ws, const std::string& scratch, data::FileLock& lock,
                     std::chrono::milliseconds patience) {
  const std::string lockName = ScratchLockName(ws.dataDirectory);
  const auto deadline = std::chrono::steady_clock::now() + patience;
  data::FileLock::Status status = lock.TryLock(lockName);
  while (status == data::FileLock::Status::Busy && std::chrono::steady_clock::now() < deadline) {
    ws.pump.ProcessEvents();
    if (Stopping(ws)) return false;
    std::this_thread::sleep_for(kLockRetry);
    status = lock.TryLock(lockName);
  }
  if (status != data::FileLock::Status::Busy) return true;
  ws.dialogs.Warning("Hilfsdatei " + scratch + " wird von einem anderen Lauf benutzt!\n\rZeichnen nicht m\xF6glich.");
  ws.messages.errorFlag = 1;
  return false;
}

// Each subprogram with lower case is pointed out once for as long as its
// first such line stays the same: the operator cannot change it here and
// is not to be asked at every drawing.
void PointOutLowerCaseSubprograms(Workstation& ws) {
  for (const auto& [name, line] : ws.preparation.lowerCaseSubprograms) {
    const std::string text = nc::LowerCaseHint(name, line, true);
    if (ws.lowerCaseHintsShown.insert(text).second) ws.dialogs.Information(text);
  }
}

}  // namespace

std::string ScratchFileName(const std::string& dataDirectory) {
  return dataDirectory + "ZEPS_" + "00" + ".$$$";
}

std::string ScratchLockName(const std::string& dataDirectory) { return ScratchFileName(dataDirectory) + ".lock"; }

PreparationOutcome PrepareDrawing(Workstation& ws, const data::ProgramText& editorLines, bool blockSkip,
                                  std::chrono::milliseconds patience) {
  PreparationOutcome outcome;
  const std::string scratch = ScratchFileName(ws.dataDirectory);
  ws.listing.Clear();
  ws.pump.ProcessEvents();
  data::FileLock lock;
  if (Stopping(ws) || !LockScratchFile(ws, scratch, lock, patience)) return outcome;
  if (!data::SaveProgramText(scratch, editorLines, data::Durability::Scratch)) {
    ws.dialogs.Warning("Hilfsdatei " + scratch + " kann nicht geschrieben werden!\n\rZeichnen nicht m\xF6glich.");
    ws.messages.errorFlag = 1;
    return outcome;
  }
  ws.preparation.blockSkip = blockSkip;
  outcome.prepared = nc::PrepareProgram(ws.preparation, scratch);
  lock.Unlock();  // the scratch file has been read; the subprograms are files of their own
  if (outcome.prepared && !Stopping(ws)) outcome.expanded = nc::ExpandSubprograms(ws.preparation);
  PointOutLowerCaseSubprograms(ws);
  return outcome;
}

}  // namespace rur
