#include "ui/dialogs/message_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "data/dialogs.h"
#include "ui/platform/qt_text.h"

namespace ui {
namespace {

QLabel* AddValueLabel(QGridLayout* grid, int row, const char* caption, const char* name, bool twoLines) {
  auto* fixed = new QLabel(QString::fromUtf8(caption));
  auto* value = new QLabel;
  value->setObjectName(QString::fromLatin1(name));
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

Tform3::Tform3(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("form3"));
  setWindowTitle(QStringLiteral("Meldung"));
  setModal(true);
  auto* grid = new QGridLayout(this);
  Label4 = AddValueLabel(grid, 0, "Meldungs-Nr.", "Label4", false);
  Label5 = AddValueLabel(grid, 1, "Beschreibung", "Label5", true);
  Label6 = AddValueLabel(grid, 2, "Im Programm", "Label6", false);
  Label7 = AddValueLabel(grid, 3, "Im Satz", "Label7", true);
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("OKBtn"));
  ok->setDefault(true);
  grid->addWidget(ok, 4, 0, 1, 2, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  FormCreate();
}

void Tform3::FormCreate() {
  for (QLabel* label : {Label4, Label5, Label6, Label7}) label->clear();
}

void Tform3::SetLabels(const data::MessageLabels& labels) {
  Label4->setText(ToQt(labels.number));
  Label5->setText(ToQt(labels.description));
  Label6->setText(ToQt(labels.program));
  Label7->setText(ToQt(labels.block));
}

}  // namespace ui
