#include "ui/editor/go_to_line_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace ui {

GoToLineDialog::GoToLineDialog(int lineCount, int currentLine, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("GeheZuZeile"));
  setWindowTitle(QStringLiteral("Gehe zu Zeile"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(236, 96);

  const int last = std::max(1, lineCount);
  Label1 = new QLabel(QStringLiteral("Zeile (1-%1):").arg(last), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(12, 14, 90, 22);
  Zeile = new QSpinBox(this);
  Zeile->setObjectName(QStringLiteral("Zeile"));
  Zeile->setGeometry(106, 14, 118, 22);
  Zeile->setRange(1, last);
  Zeile->setValue(std::clamp(currentLine, 1, last));
  Zeile->selectAll();

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setGeometry(12, 56, 100, 27);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(124, 56, 100, 27);
  CancelBtn->setAutoDefault(false);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

int GoToLineDialog::Line() const { return Zeile->value(); }

}  // namespace ui
