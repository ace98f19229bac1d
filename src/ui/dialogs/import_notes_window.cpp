#include "ui/dialogs/import_notes_window.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/component_names.h"
#include "ui/platform/qt_text.h"

namespace ui {
namespace {

constexpr int kLineRole = Qt::UserRole;

}  // namespace

ImportNotesWindow::ImportNotesWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  const ImportNotesNames& names = kImportNotesNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("Import"));
  summary_ = Named(new QLabel(this), names.summary);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setWordWrap(true);
  notes_ = Named(new QListWidget(this), names.notes);
  notes_->setUniformItemSizes(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(notes_, 1);
  resize(560, 320);
  connect(notes_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int line = item->data(kLineRole).toInt();
    if (line > 0) emit lineChosen(line);
  });
}

void ImportNotesWindow::ShowNotes(const QString& summary, const std::vector<rur::ImportNoteLine>& notes) {
  notes_->clear();
  summary_->setText(summary);
  for (const rur::ImportNoteLine& note : notes) {
    auto* item = new QListWidgetItem(ToQt(note.text), notes_);
    item->setData(kLineRole, note.editorLine);
    if (note.refusal) item->setForeground(Qt::red);
  }
  show();
  raise();
}

void ImportNotesWindow::AppendLine(const QString& text) { new QListWidgetItem(text, notes_); }

void ImportNotesWindow::Clear() {
  notes_->clear();
  summary_->clear();
  hide();
}

}  // namespace ui
