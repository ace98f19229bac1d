#include "nc/import/program_flow.h"

#include <algorithm>
#include <cmath>

#include "nc/lexical/characters.h"

namespace nc::import {
namespace {

constexpr int kMaxCallDepth = 16;
// Blocks run, subroutines counted at every call: beyond this a program of
// nested calls would run for ever.
constexpr std::int64_t kMaxExecuted = 4'000'000;

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

std::string WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string("0") : std::string(digits.substr(first));
}

std::string Named(const std::string& label) { return "O" + label; }

bool MayHoldOOrM(std::string_view text) {
  for (const char c : text) {
    if (c == 'O' || c == 'o' || c == 'M' || c == 'm') return true;
  }
  return false;
}

bool IsBlankLine(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

bool IsLoop(const std::string& keyword) {
  static constexpr std::string_view kLoops[] = {"WHILE", "ENDWHILE", "DO", "REPEAT", "ENDREPEAT", "BREAK", "CONTINUE"};
  return std::find(std::begin(kLoops), std::end(kLoops), keyword) != std::end(kLoops);
}

bool IsCondition(const std::string& keyword) {
  return keyword == "IF" || keyword == "ELSEIF" || keyword == "ELSE" || keyword == "ENDIF";
}

}  // namespace

bool ReadOWord(std::string_view code, OWord& o, std::string& reason) {
  std::size_t pos = 0;
  if (!code.empty() && code[0] == 'N') pos = DigitsEnd(code, 1);
  if (pos >= code.size() || code[pos] != 'O') return false;
  ++pos;
  o = OWord{};
  if (pos < code.size() && code[pos] == '<') {
    const std::size_t close = code.find('>', pos);
    if (close == std::string_view::npos) {
      reason = "O-Wort mit \"<\" ohne \">\"";
      return true;
    }
    o.label = std::string(code.substr(pos, close - pos + 1));
    pos = close + 1;
  } else {
    const std::size_t end = DigitsEnd(code, pos);
    if (end == pos) {
      reason = "O-Wort ohne Nummer oder Namen";
      return true;
    }
    o.label = WithoutLeadingZeros(code.substr(pos, end - pos));
    pos = end;
  }
  const std::size_t start = pos;
  while (pos < code.size() && IsLetter(code[pos])) ++pos;
  o.keyword = std::string(code.substr(start, pos - start));
  o.rest = std::string(code.substr(pos));
  return true;
}

bool ProgramFlow::Read(std::size_t index, SourceLine& line, bool comments) {
  std::string reason;
  const auto number = static_cast<std::int32_t>(index + 1);
  if (ReadSourceLine(lines_[index], number, line, reason, comments)) return true;
  return Refuse(number, reason);
}

bool ProgramFlow::CollectInSubroutine(std::size_t index, const SourceLine& line, bool isO, const OWord& o) {
  roles_[index] = Role::kSubroutine;
  const auto close = [&] {
    subroutines_[open_] = {openBegin_, index};
    roles_[index] = Role::kFrame;
    open_.clear();
    return true;
  };
  if (isO && o.keyword == "SUB") return Refuse(line.number, "Unterprogramm in einem Unterprogramm");
  if (!openFanuc_) {
    if (!isO || o.keyword != "ENDSUB") return true;
    if (o.label != open_) return Refuse(line.number, "endsub " + Named(o.label) + " beendet nicht " + Named(open_));
    return close();
  }
  if (isO && o.keyword.empty()) return Refuse(line.number, Named(o.label) + " beginnt, bevor " + Named(open_) + " mit M99 endet");
  if (isO || !HasMWord(line.code, 99)) return true;
  std::size_t pos = 0;
  if (line.code[0] == 'N') pos = DigitsEnd(line.code, 1);
  if (line.code.substr(pos) != "M99") return Refuse(line.number, "M99 mit weiteren W\xF6rtern wird nicht \xFC" "bernommen");
  return close();
}

bool ProgramFlow::Collect() {
  roles_.assign(lines_.size(), Role::kMain);
  bool ended = false, codeSeen = false;
  std::int32_t firstDropped = 0;
  SourceLine line;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    // Most lines can neither start nor end a subroutine or the program:
    // they need not be read here (running them reads them).
    if (!ended && (codeSeen || !open_.empty()) && !MayHoldOOrM(lines_[i])) {
      if (!open_.empty()) roles_[i] = Role::kSubroutine;
      continue;
    }
    if (!Read(i, line, false)) return false;
    OWord o;
    std::string reason;
    const bool isO = line.kind == SourceLineKind::kCode && ReadOWord(line.code, o, reason);
    if (!reason.empty()) return Refuse(line.number, reason);
    if (!open_.empty()) {
      if (!CollectInSubroutine(i, line, isO, o)) return false;
      continue;
    }
    if (isO && (o.keyword == "SUB" || (o.keyword.empty() && ended))) {
      if (subroutines_.count(o.label) != 0) return Refuse(line.number, Named(o.label) + " ist schon festgelegt");
      open_ = o.label;
      openFanuc_ = o.keyword.empty();
      openBegin_ = i + 1;
      openLine_ = line.number;
      roles_[i] = Role::kFrame;
      continue;
    }
    if (isO && o.keyword == "ENDSUB") return Refuse(line.number, "endsub ohne sub");
    if (isO && o.keyword.empty()) {
      if (codeSeen) return Refuse(line.number, "Programmnummer " + Named(o.label) + " mitten im Programm");
      roles_[i] = Role::kProgramNumber;
      notes_.Change(line.number, "Programmnummer " + Named(o.label) + " entfernt: der Kopf nennt das Programm");
      continue;
    }
    if (ended) {
      roles_[i] = Role::kAfterEnd;
      if (firstDropped == 0 && line.kind == SourceLineKind::kCode && !IsBlankLine(lines_[i])) firstDropped = line.number;
      continue;
    }
    if (line.kind == SourceLineKind::kCode && !line.code.empty()) codeSeen = true;
    if (line.kind == SourceLineKind::kCode && !isO && EndsProgram(line.code)) ended = true;
  }
  if (!open_.empty()) return Refuse(openLine_, "Unterprogramm " + Named(open_) + " ohne Ende (endsub oder M99)");
  if (firstDropped != 0) notes_.Change(firstDropped, "Nach M2/M30 nicht \xFC" "bernommen: der Rest des Programms");
  return true;
}

bool ProgramFlow::Run() {
  if (!Collect()) return false;
  lineAt_.resize(kMaxCallDepth + 1);
  blockAt_.resize(kMaxCallDepth + 1);
  bool ended = false;
  for (std::size_t i = 0; i < lines_.size() && !ended; ++i) {
    if (roles_[i] == Role::kProgramNumber) {
      SourceLine line;
      if (!Read(i, line) || !KeepComment(line)) return false;
    }
    if (roles_[i] == Role::kMain && !RunLine(i, 0, ended)) return false;
  }
  return true;
}

bool ProgramFlow::RunRange(std::size_t begin, std::size_t end, int depth) {
  for (std::size_t i = begin; i < end; ++i) {
    bool ended = false;
    if (!RunLine(i, depth, ended)) return false;
  }
  return true;
}

bool ProgramFlow::RunLine(std::size_t index, int depth, bool& ended) {
  SourceLine& line = lineAt_[static_cast<std::size_t>(depth)];
  if (!Read(index, line)) return false;
  if (++executed_ > kMaxExecuted) return Refuse(line.number, "Mehr als 4000000 S\xE4tze mit den Unterprogrammen");
  if (line.kind == SourceLineKind::kPercent) return true;
  if (line.kind == SourceLineKind::kSystem) {
    notes_.ChangeOnce("$", line.number, "grbl-Systembefehl ($...) entfernt");
    return true;
  }
  if (line.Blank()) return true;
  OWord o;
  std::string reason;
  if (ReadOWord(line.code, o, reason)) return reason.empty() ? RunOWord(line, o, depth) : Refuse(line.number, reason);
  return RunBlock(line, blockAt_[static_cast<std::size_t>(depth)], depth, ended);
}

bool ProgramFlow::KeepComment(const SourceLine& line) {
  if (line.comment.empty()) return true;
  SourceLine comment = line;
  comment.code.clear();
  return importer_.Block(comment, SourceBlock{});
}

bool ProgramFlow::RunOWord(const SourceLine& line, const OWord& o, int depth) {
  const std::string name = Named(o.label);
  if (o.keyword == "CALL") {
    if (!o.rest.empty()) return Refuse(line.number, "Aufruf von " + name + " mit Argumenten wird nicht \xFC" "bernommen");
    return KeepComment(line) && Call(line, o.label, depth);
  }
  if (o.keyword == "RETURN") return Refuse(line.number, "return in " + name + " wird nicht \xFC" "bernommen");
  if (IsCondition(o.keyword)) return Refuse(line.number, "Bedingung (" + name + " if) wird nicht \xFC" "bernommen");
  if (IsLoop(o.keyword)) return Refuse(line.number, "Schleife (" + name + " " + o.keyword + ") wird nicht \xFC" "bernommen");
  if (o.keyword.empty()) return Refuse(line.number, "Programmnummer " + name + " mitten im Programm");
  return Refuse(line.number, "O-Wort " + name + " " + o.keyword + " wird nicht \xFC" "bernommen");
}

bool ProgramFlow::Call(const SourceLine& line, const std::string& label, int depth) {
  const auto found = subroutines_.find(label);
  if (found == subroutines_.end()) return Refuse(line.number, "Unterprogramm " + Named(label) + " nicht gefunden");
  if (std::find(callStack_.begin(), callStack_.end(), label) != callStack_.end()) {
    return Refuse(line.number, "Unterprogramm " + Named(label) + " ruft sich selbst auf");
  }
  if (depth >= kMaxCallDepth) return Refuse(line.number, "Unterprogramme mehr als 16 Ebenen tief");
  notes_.ChangeOnce("call" + label, line.number, "Unterprogramm " + Named(label) + " eingesetzt");
  callStack_.push_back(label);
  const bool ok = RunRange(found->second.begin, found->second.end, depth + 1);
  callStack_.pop_back();
  return ok;
}

bool ProgramFlow::CallByM98(const SourceLine& line, const SourceBlock& block, int depth) {
  if (block.Has('L') || block.Has('K')) return Refuse(line.number, "M98 mit Wiederholungen wird nicht \xFC" "bernommen");
  bool others = block.m.size() != 1 || !block.g.empty() || !block.assignments.empty();
  for (char letter = 'A'; letter <= 'Z'; ++letter) others = others || (letter != 'P' && block.Has(letter));
  if (others) return Refuse(line.number, "M98 mit weiteren W\xF6rtern wird nicht \xFC" "bernommen");
  const double p = block['P'].value_or(-1.0);
  if (p < 0.0 || p != std::floor(p)) return Refuse(line.number, "M98 ohne Programmnummer P");
  if (p > 9999.0) return Refuse(line.number, "M98 P mit mehr als 4 Stellen (Wiederholungen) wird nicht \xFC" "bernommen");
  return KeepComment(line) && Call(line, std::to_string(static_cast<int>(p)), depth);
}

bool ProgramFlow::RunBlock(const SourceLine& line, SourceBlock& block, int depth, bool& ended) {
  std::string reason;
  if (!ReadSourceBlock(line.code, parameters_, block, reason)) return Refuse(line.number, reason);
  if (line.code.find('#') != std::string::npos) {
    notes_.ChangeOnce("#", line.number, "Parameter #n durch ihre Werte ersetzt");
  }
  if (block.HasM(98)) return CallByM98(line, block, depth);
  if (block.HasM(99)) {
    return Refuse(line.number, depth == 0 ? "M99 im Hauptprogramm (Endlosschleife) wird nicht \xFC" "bernommen"
                                          : "M99 mitten in einem Unterprogramm wird nicht \xFC" "bernommen");
  }
  const bool ends = block.HasM(2) || block.HasM(30);
  if (ends && depth > 0) return Refuse(line.number, "M2/M30 in einem Unterprogramm wird nicht \xFC" "bernommen");
  if (!importer_.Block(line, block)) return false;
  for (const auto& [n, value] : block.assignments) parameters_[n] = value;
  ended = ends;
  return true;
}

}  // namespace nc::import
