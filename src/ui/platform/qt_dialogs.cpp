#include "ui/platform/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/dialogs/message_window.h"
#include "ui/platform/modal_host.h"
#include "ui/platform/qt_text.h"

namespace ui {

QtDialogs::QtDialogs(ModalHost& host, MessageWindow& messageWindow, QWidget* parent)
    : host_(host), messageWindow_(messageWindow), parent_(parent) {}

void QtDialogs::ShowMessageWindow(const data::MessageLabels& labels) {
  if (beforeMessage_) beforeMessage_();
  messageWindow_.SetLabels(labels);
  host_.Exec(messageWindow_);
}

void QtDialogs::Beep() { QApplication::beep(); }

void QtDialogs::Warning(std::string_view text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), ToQt(text), QMessageBox::Ok, parent_);
  box.setTextFormat(Qt::PlainText);
  host_.Exec(box);
}

void QtDialogs::Information(std::string_view text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), ToQt(text),
                  QMessageBox::Ok | QMessageBox::Help, parent_);
  box.setTextFormat(Qt::PlainText);
  host_.Exec(box);
}

data::SaveAnswer QtDialogs::AskSave(std::string_view text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), ToQt(text),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  box.setTextFormat(Qt::PlainText);
  switch (host_.Exec(box)) {
    case QMessageBox::Yes: return data::SaveAnswer::Yes;
    case QMessageBox::No: return data::SaveAnswer::No;
    case QMessageBox::Cancel: return data::SaveAnswer::Cancel;
    default: return data::SaveAnswer::Other;
  }
}

bool QtDialogs::ConfirmDespite(std::string_view warning, std::string_view question) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"), ToQt(warning) + QStringLiteral("\n\n") + ToQt(question),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  return host_.Exec(box) == QMessageBox::Yes;
}

bool QtDialogs::Ask(std::string_view text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Frage"), ToQt(text), QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  return host_.Exec(box) == QMessageBox::Yes;
}

void QtEventPump::ProcessEvents() { QCoreApplication::processEvents(); }

}  // namespace ui
