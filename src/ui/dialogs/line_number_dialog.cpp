#include "ui/dialogs/line_number_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "ui/component_names.h"

namespace ui {

LineNumberDialog::LineNumberDialog(QWidget* parent)
    : LineNumberDialog(parent, kLineNumberDialogNames, QStringLiteral("Eingeben"), QStringLiteral("Zeile:")) {}

LineNumberDialog::LineNumberDialog(QWidget* parent, const LineNumberDialogNames& names, const QString& title,
                                   const QString& labelText)
    : QDialog(parent) {
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(title);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(236, 96);

  auto* label = Named(new QLabel(labelText, this), names.label);
  label->setGeometry(12, 14, 50, 22);
  field_ = Named(new QLineEdit(this), names.field);
  field_->setGeometry(66, 14, 158, 22);
  // A sign is let through: a negative number is answered like one too large.
  field_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,5}")), field_));

  auto* ok = Named(new QPushButton(QStringLiteral("OK"), this), names.okButton);
  ok->setGeometry(12, 56, 100, 27);
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton(QStringLiteral("Abbruch"), this), names.cancelButton);
  cancel->setGeometry(124, 56, 100, 27);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void LineNumberDialog::PrepareToShow() {
  field_->selectAll();
  field_->setFocus();
}

void LineNumberDialog::Offer(int n) {
  field_->setText(QString::number(n));
  PrepareToShow();
}

std::optional<int> LineNumberDialog::Number() const {
  bool ok = false;
  const int n = field_->text().toInt(&ok);
  if (!ok) return std::nullopt;
  return n;
}

}  // namespace ui
