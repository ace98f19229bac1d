#include "ui/dialogs/transfer_log_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/component_names.h"

namespace ui {

TransferLogWindow::TransferLogWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  const TransferLogNames& names = kTransferLogNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("Protokoll"));
  text_ = Named(new QPlainTextEdit(this), names.entries);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  resize(560, 420);
}

void TransferLogWindow::ShowEntries(const std::vector<std::string>& entries) {
  QString text;
  for (const std::string& entry : entries) {
    if (!text.isEmpty()) text += QStringLiteral("\n\n");
    text += QString::fromStdString(entry);
  }
  if (text.isEmpty()) text = QStringLiteral("Noch keine Übertragung protokolliert.");
  text_->setPlainText(text);
}

}  // namespace ui
