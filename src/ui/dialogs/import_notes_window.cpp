#include "ui/dialogs/import_notes_window.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/platform/qt_text.h"

namespace ui {
namespace {

constexpr int kLineRole = Qt::UserRole;

}  // namespace

ImportNotesWindow::ImportNotesWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Import"));
  setWindowTitle(QStringLiteral("Import"));
  zusammenfassung = new QLabel(this);
  zusammenfassung->setObjectName(QStringLiteral("zusammenfassung"));
  zusammenfassung->setTextFormat(Qt::PlainText);
  zusammenfassung->setWordWrap(true);
  hinweise = new QListWidget(this);
  hinweise->setObjectName(QStringLiteral("hinweise"));
  hinweise->setUniformItemSizes(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(zusammenfassung);
  layout->addWidget(hinweise, 1);
  resize(560, 320);
  connect(hinweise, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int line = item->data(kLineRole).toInt();
    if (line > 0) emit lineChosen(line);
  });
}

void ImportNotesWindow::ShowNotes(const QString& summary, const std::vector<rur::ImportNoteLine>& notes) {
  hinweise->clear();
  zusammenfassung->setText(summary);
  for (const rur::ImportNoteLine& note : notes) {
    auto* item = new QListWidgetItem(ToQt(note.text), hinweise);
    item->setData(kLineRole, note.editorLine);
    if (note.refusal) item->setForeground(Qt::red);
  }
  show();
  raise();
}

void ImportNotesWindow::AppendLine(const QString& text) { new QListWidgetItem(text, hinweise); }

void ImportNotesWindow::Clear() {
  hinweise->clear();
  zusammenfassung->clear();
  hide();
}

}  // namespace ui
