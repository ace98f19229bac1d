#include "ui/editor/find_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/component_names.h"

namespace ui {

FindDialog::FindDialog(const QString& text, bool caseSensitive, QWidget* parent) : QDialog(parent) {
  const FindDialogNames& names = kFindDialogNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("Suchen"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(330, 124);

  text_ = Named(new QLineEdit(text, this), names.text);
  text_->setGeometry(12, 12, 306, 22);
  text_->selectAll();
  matchCase_ = Named(new QCheckBox(QStringLiteral("Groß-/Kleinschreibung beachten"), this), names.matchCase);
  matchCase_->setGeometry(12, 40, 306, 22);
  matchCase_->setChecked(caseSensitive);
  status_ = Named(new QLabel(this), names.status);
  status_->setGeometry(12, 64, 306, 20);

  auto* findNextButton = Named(new QPushButton(QStringLiteral("Weitersuchen"), this), names.findNextButton);
  findNextButton->setGeometry(12, 88, 148, 27);
  findNextButton->setDefault(true);
  auto* closeButton = Named(new QPushButton(QStringLiteral("Schließen"), this), names.closeButton);
  closeButton->setGeometry(170, 88, 148, 27);
  closeButton->setAutoDefault(false);

  connect(findNextButton, &QPushButton::clicked, this, [this] {
    if (!text_->text().isEmpty()) emit findNext(text_->text(), matchCase_->isChecked());
  });
  connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(text_, &QLineEdit::textEdited, status_, &QLabel::clear);
}

void FindDialog::ShowResult(FindResult result) {
  switch (result) {
    case FindResult::Found: status_->clear(); break;
    case FindResult::FoundAfterWrap: status_->setText(QStringLiteral("Am Anfang fortgesetzt")); break;
    case FindResult::NotFound: status_->setText(QStringLiteral("Nicht gefunden")); break;
  }
}

}  // namespace ui
