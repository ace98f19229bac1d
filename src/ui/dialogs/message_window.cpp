#include "ui/dialogs/message_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "data/dialogs.h"
#include "ui/component_names.h"
#include "ui/platform/qt_text.h"

namespace ui {
namespace {

QLabel* AddValueLabel(QGridLayout* grid, int row, const char* caption, const char* name, bool twoLines) {
  auto* fixed = new QLabel(QString::fromUtf8(caption));
  auto* value = Named(new QLabel, name);
  value->setTextFormat(Qt::PlainText);
  value->setWordWrap(twoLines);
  value->setMinimumWidth(320);
  if (twoLines) value->setMinimumHeight(2 * value->fontMetrics().height());
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(fixed, row, 0, Qt::AlignTop);
  grid->addWidget(value, row, 1, Qt::AlignTop);
  return value;
}

}  // namespace

MessageWindow::MessageWindow(QWidget* parent) : QDialog(parent) {
  const MessageWindowNames& names = kMessageWindowNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("Meldung"));
  setModal(true);
  auto* grid = new QGridLayout(this);
  number_ = AddValueLabel(grid, 0, "Meldungs-Nr.", names.number, false);
  description_ = AddValueLabel(grid, 1, "Beschreibung", names.description, true);
  program_ = AddValueLabel(grid, 2, "Im Programm", names.program, false);
  block_ = AddValueLabel(grid, 3, "Im Satz", names.block, true);
  auto* ok = Named(new QPushButton(QStringLiteral("OK")), names.okButton);
  ok->setDefault(true);
  grid->addWidget(ok, 4, 0, 1, 2, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageWindow::SetLabels(const data::MessageLabels& labels) {
  number_->setText(ToQt(labels.number));
  description_->setText(ToQt(labels.description));
  program_->setText(ToQt(labels.program));
  block_->setText(ToQt(labels.block));
}

}  // namespace ui
