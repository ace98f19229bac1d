// eval and word: the value of an expression or of one NC word.
#include <cstdio>
#include <string>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "data/text.h"
#include "nc/expression/expression.h"

namespace cli {
namespace {

int PrintEvaluation(CommandContext& c, const nc::Evaluation& result) {
  if (result.errorCode > 0) {
    c.out << "error " << result.errorCode << "\n";
    return kExitFailed;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%.18Lg", result.value);
  c.out << text << "\n";
  return kExitOk;
}

}  // namespace

void ApplyParams(CommandContext& c) {
  for (const auto& [n, value] : c.args.params) c.ws.SetParameter(n, value);
}

int UsageError(CommandContext& c) {
  c.err << "rur-cli: usage: rur-cli " << c.command.usage << "\n";
  return kExitUsage;
}

int RunEval(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  ApplyParams(c);
  return PrintEvaluation(c, nc::EvaluateExpression(data::Utf8ToCp1252(c.args.arguments[0])));
}

int RunWord(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  ApplyParams(c);
  return PrintEvaluation(c, c.ws.EvaluateWord(data::Utf8ToCp1252(c.args.arguments[0])));
}

}  // namespace cli
