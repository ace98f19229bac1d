#include "ui/dialogs/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/component_names.h"

namespace ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  const HelpWindowNames& names = kHelpWindowNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("Hilfe"));
  page_ = Named(new QTextBrowser(this), names.page);
  page_->setOpenLinks(false);
  page_->setSource(QUrl(QStringLiteral("qrc:/help/help_de.html")), QTextDocument::HtmlResource);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page_, 1);
  resize(640, 560);
}

void HelpWindow::Open() {
  page_->moveCursor(QTextCursor::Start);
  show();
  raise();
  activateWindow();
}

QString HelpWindow::PageText() const { return page_->toPlainText(); }

}  // namespace ui
