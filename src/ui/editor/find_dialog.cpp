#include "ui/editor/find_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Suchen"));
  setWindowTitle(QStringLiteral("Suchen"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(330, 124);

  Suchtext = new QLineEdit(this);
  Suchtext->setObjectName(QStringLiteral("Suchtext"));
  Suchtext->setGeometry(12, 12, 306, 22);
  GrossKlein = new QCheckBox(QStringLiteral("Groß-/Kleinschreibung beachten"), this);
  GrossKlein->setObjectName(QStringLiteral("GrossKlein"));
  GrossKlein->setGeometry(12, 40, 306, 22);
  Status = new QLabel(this);
  Status->setObjectName(QStringLiteral("Status"));
  Status->setGeometry(12, 64, 306, 20);

  Weitersuchen = new QPushButton(QStringLiteral("Weitersuchen"), this);
  Weitersuchen->setObjectName(QStringLiteral("Weitersuchen"));
  Weitersuchen->setGeometry(12, 88, 148, 27);
  Weitersuchen->setDefault(true);
  CloseBtn = new QPushButton(QStringLiteral("Schließen"), this);
  CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
  CloseBtn->setGeometry(170, 88, 148, 27);
  CloseBtn->setAutoDefault(false);

  connect(Weitersuchen, &QPushButton::clicked, this, [this] {
    if (!Suchtext->text().isEmpty()) emit findNext(Suchtext->text(), GrossKlein->isChecked());
  });
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(Suchtext, &QLineEdit::textEdited, Status, &QLabel::clear);
}

void FindDialog::ShowResult(FindResult result) {
  switch (result) {
    case FindResult::Found: Status->clear(); break;
    case FindResult::FoundAfterWrap: Status->setText(QStringLiteral("Am Anfang fortgesetzt")); break;
    case FindResult::NotFound: Status->setText(QStringLiteral("Nicht gefunden")); break;
  }
}

}  // namespace ui
