// rur: the workstation's window. Arguments: [--data DIR] [A]; the first
// argument "A" switches the block text to scaled whole numbers.
#include <QApplication>
#include <cstdlib>

#include "window/main_window.h"
#include "ui/modal_host.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();

  data::DataDirectorySource source;
  source.executablePath = QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
  if (const char* env = std::getenv("RUR_DATA_DIR")) source.overrideDirectory = env;
  const qsizetype dataOption = args.indexOf(QStringLiteral("--data"));
  if (dataOption >= 0 && dataOption + 1 < args.size()) {
    source.overrideDirectory = args[dataOption + 1].toLocal8Bit().toStdString();
    args.remove(dataOption, 2);
  }

  ui::ExecModalHost host;
  app::MainWindow window(host, source, args.value(0));
  window.show();
  return QApplication::exec();
}
