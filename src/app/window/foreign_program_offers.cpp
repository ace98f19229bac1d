#include "window/foreign_program_offers.h"

#include <QTextCursor>
#include <algorithm>

#include "data/program_text.h"
#include "nc/import/foreign_program.h"
#include "ui/editor/nc_editor.h"
#include "ui/platform/qt_dialogs.h"
#include "ui/platform/qt_text.h"

namespace app {
namespace {

bool IsBlankLine(const std::string& line) { return line.find_first_not_of(' ') == std::string::npos; }

void ReplaceText(ui::NcEditor& editor, const std::vector<std::string>& lines) {
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) text << ui::ToQt(line);
  QTextCursor cursor(editor.document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(text.join(QLatin1Char('\n')));
}

void InsertHeader(ui::NcEditor& editor) {
  QTextCursor cursor(editor.document());
  cursor.movePosition(QTextCursor::Start);
  cursor.insertText(QStringLiteral("%1\n"));
}

}  // namespace

bool OfferForeignProgramFixes(ui::NcEditor& editor, ui::QtDialogs& dialogs, std::vector<std::string> lines) {
  bool edited = false;
  if (nc::FirstLowerCaseLine(data::ProgramText(lines)) && dialogs.Ask(kLowerCaseQuestion)) {
    nc::UpperCaseProgram(lines);
    ReplaceText(editor, lines);
    edited = true;
  }
  // An empty file is a new program rather than another control's. The
  // header is looked for in the text as it now stands.
  const bool hasText = !std::all_of(lines.begin(), lines.end(), IsBlankLine);
  if (hasText && !nc::HasHeader(data::ProgramText(lines)) && dialogs.Ask(kHeaderQuestion)) {
    InsertHeader(editor);
    edited = true;
  }
  return edited;
}

}  // namespace app
