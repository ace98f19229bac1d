#include "ui/dialogs/line_number_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace ui {

LineNumberDialog::LineNumberDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Eingeben"));
  setWindowTitle(QStringLiteral("Eingeben"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(236, 96);

  Label1 = new QLabel(QStringLiteral("Zeile:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(12, 14, 50, 22);
  Zeile = new QLineEdit(this);
  Zeile->setObjectName(QStringLiteral("Zeile"));
  Zeile->setGeometry(66, 14, 158, 22);
  // A sign is let through: a negative number is answered like one too large.
  Zeile->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,5}")), Zeile));

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setGeometry(12, 56, 100, 27);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("Abbruch"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(124, 56, 100, 27);
  CancelBtn->setAutoDefault(false);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void LineNumberDialog::FormShow() {
  Zeile->selectAll();
  Zeile->setFocus();
}

std::optional<int> LineNumberDialog::Number() const {
  bool ok = false;
  const int n = Zeile->text().toInt(&ok);
  if (!ok) return std::nullopt;
  return n;
}

}  // namespace ui
