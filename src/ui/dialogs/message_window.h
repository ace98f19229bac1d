// The message window "Meldung": number, description, program and block of
// the message being reported, and one OK button.
#pragma once

#include <QDialog>

class QLabel;

namespace data {
struct MessageLabels;
}

namespace ui {

class MessageWindow : public QDialog {
  Q_OBJECT
 public:
  explicit MessageWindow(QWidget* parent = nullptr);
  void SetLabels(const data::MessageLabels& labels);

 private:
  QLabel* number_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* program_ = nullptr;
  QLabel* block_ = nullptr;
};

}  // namespace ui
