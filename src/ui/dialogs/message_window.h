// The message window "Meldung": number, description, program and block of
// the message being reported, and one OK button.
#pragma once

#include <QDialog>

class QLabel;

namespace data {
struct MessageLabels;
}

namespace ui {

class Tform3 : public QDialog {
  Q_OBJECT
 public:
  explicit Tform3(QWidget* parent = nullptr);
  void SetLabels(const data::MessageLabels& labels);

  QLabel* Label4 = nullptr;  // number
  QLabel* Label5 = nullptr;  // description
  QLabel* Label6 = nullptr;  // program
  QLabel* Label7 = nullptr;  // block

 private:
  void FormCreate();
};

}  // namespace ui
