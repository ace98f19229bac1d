#include "workstation/draw_preparation.h"

#include <thread>

#include "data/files.h"
#include "data/program_file.h"
#include "nc/import/foreign_program.h"
#include "nc/preparation/preparation.h"
#include "workstation/state_access.h"

namespace rur {
namespace {

constexpr std::chrono::milliseconds kLockRetry{5};

bool Stopping(const WorkstationState& s) { return s.phase == data::RunPhase::kStopping; }

// Takes the scratch file's lock, retrying while another run holds it, at
// most for `patience`; the events are processed meanwhile, and a stop
// they bring ends the wait. False when stopped, or (after saying so) when
// another run still holds the lock at the end.
bool LockScratchFile(WorkstationState& s, const std::string& scratch, data::FileLock& lock,
                     std::chrono::milliseconds patience) {
  const std::string lockName = ScratchLockName(s.dataDirectory);
  const auto deadline = std::chrono::steady_clock::now() + patience;
  data::FileLock::Status status = lock.TryLock(lockName);
  while (status == data::FileLock::Status::Busy && std::chrono::steady_clock::now() < deadline) {
    s.pump.ProcessEvents();
    if (Stopping(s)) return false;
    std::this_thread::sleep_for(kLockRetry);
    status = lock.TryLock(lockName);
  }
  if (status != data::FileLock::Status::Busy) return true;
  s.messages.ShowWarning("Hilfsdatei " + scratch +
                         " wird von einem anderen Lauf benutzt!\n\rZeichnen nicht m\xF6glich.");
  return false;
}

// Each subprogram with lower case is pointed out once for as long as its
// first such line stays the same: the operator cannot change it here and
// is not to be asked at every drawing.
void PointOutLowerCaseSubprograms(WorkstationState& s) {
  for (const auto& [name, line] : s.preparation.lowerCaseSubprograms) {
    const std::string text = nc::LowerCaseHint(name, line, true);
    if (s.lowerCaseHintsShown.insert(text).second) s.dialogs.Information(text);
  }
}

}  // namespace

std::string ScratchFileName(const std::string& dataDirectory) {
  return dataDirectory + "ZEPS_" + "00" + ".$$$";
}

std::string ScratchLockName(const std::string& dataDirectory) { return ScratchFileName(dataDirectory) + ".lock"; }

PreparationOutcome PrepareDrawing(Workstation& ws, const data::ProgramText& editorLines, bool blockSkip,
                                  std::chrono::milliseconds patience) {
  WorkstationState& s = StateOf(ws);
  PreparationOutcome outcome;
  const std::string scratch = ScratchFileName(s.dataDirectory);
  s.listing.Clear();
  s.pump.ProcessEvents();
  data::FileLock lock;
  if (Stopping(s) || !LockScratchFile(s, scratch, lock, patience)) return outcome;
  if (!data::SaveProgramText(scratch, editorLines, data::Durability::Scratch)) {
    s.messages.ShowWarning("Hilfsdatei " + scratch + " kann nicht geschrieben werden!\n\rZeichnen nicht m\xF6glich.");
    return outcome;
  }
  s.preparation.blockSkip = blockSkip;
  outcome.prepared = nc::PrepareProgram(s.preparation, scratch);
  lock.Unlock();  // the scratch file has been read; the subprograms are files of their own
  if (outcome.prepared && !Stopping(s)) outcome.expanded = nc::ExpandSubprograms(s.preparation);
  PointOutLowerCaseSubprograms(s);
  return outcome;
}

}  // namespace rur
