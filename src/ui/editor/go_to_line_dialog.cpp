#include "ui/editor/go_to_line_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "ui/component_names.h"

namespace ui {

GoToLineDialog::GoToLineDialog(int lineCount, int currentLine, QWidget* parent) : QDialog(parent) {
  const GoToLineDialogNames& names = kGoToLineDialogNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("Gehe zu Zeile"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(236, 96);

  const int last = std::max(1, lineCount);
  auto* label = Named(new QLabel(QStringLiteral("Zeile (1-%1):").arg(last), this), names.label);
  label->setGeometry(12, 14, 90, 22);
  line_ = Named(new QSpinBox(this), names.line);
  line_->setGeometry(106, 14, 118, 22);
  line_->setRange(1, last);
  line_->setValue(std::clamp(currentLine, 1, last));
  line_->selectAll();

  auto* ok = Named(new QPushButton(QStringLiteral("OK"), this), names.okButton);
  ok->setGeometry(12, 56, 100, 27);
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton(QStringLiteral("Abbrechen"), this), names.cancelButton);
  cancel->setGeometry(124, 56, 100, 27);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int GoToLineDialog::Line() const { return line_->value(); }

}  // namespace ui
