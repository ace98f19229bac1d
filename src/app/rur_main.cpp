// rur: the workstation's window. Arguments: [--data DIR] [--version]
// [--help] [A] [FILE]; the first argument "A" switches the block text to
// scaled whole numbers, FILE is a program loaded when the working state is
// entered.
#include <QApplication>
#include <iostream>

#include "process_environment.h"
#include "ui/platform/modal_host.h"
#include "window/german_translations.h"
#include "window/main_window.h"
#include "window/window_args.h"

namespace {

QStringList CommandLine(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  // Before the application object, so that they work without a display.
  const app::WindowArgs early = app::ParseWindowArgs(CommandLine(argc, argv));
  if (early.help) return app::PrintUsage(std::cout);
  if (early.version) return app::PrintVersion(std::cout);

  QApplication application(argc, argv);
  app::InstallGermanTranslations(application);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  const app::WindowArgs parsed = app::ParseWindowArgs(args);

  const std::string executable = QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
  const data::DataDirectoryInputs inputs =
      app::DataDirectoryInputsOf(executable, parsed.dataDirectory.toLocal8Bit().toStdString());
  const data::DataDirectorySession dataDirectory(inputs);

  ui::ExecModalHost host;
  app::MainWindow window(host, {executable, dataDirectory.directory()}, parsed.firstArgument, parsed.programFile);
  window.show();
  if (!dataDirectory.warning().empty()) window.workstation().dialogs().Warning(dataDirectory.warning());
  return QApplication::exec();
}
