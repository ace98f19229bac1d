// Creation and placement of the main window's components.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "draw/picture/raster.h"
#include "main_window.h"
#include "ui/component_names.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"

namespace app {
namespace {

constexpr int kClientWidth = 651;
constexpr int kClientHeight = 587;

template <typename W>
W* Make(QWidget* parent, const char* name, QRect geometry) {
  auto* w = ui::Named(new W(parent), name);
  w->setGeometry(geometry);
  return w;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* hint, QRect geometry) {
  auto* b = Make<QPushButton>(parent, name, geometry);
  b->setText(QString::fromUtf8(caption));
  b->setToolTip(QString::fromUtf8(hint));
  return b;
}

QFont WindowFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  font.setBold(true);
  return font;
}

}  // namespace

void MainWindow::CreateComponents() {
  const ui::MainWindowNames& names = ui::kMainWindowNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("RUR"));
  setFixedSize(kClientWidth, kClientHeight);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  setAutoFillBackground(true);
  QPalette navy = palette();
  navy.setColor(QPalette::Window, QColor(0, 0, 128));
  navy.setColor(QPalette::WindowText, Qt::white);
  setPalette(navy);

  programName_ = Make<QLabel>(this, names.programName, {116, 4, 318, 22});
  programName_->setText(QStringLiteral("Programm:"));
  programName_->setTextFormat(Qt::PlainText);
  programName_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  programName_->setAutoFillBackground(true);
  programName_->setPalette(QPalette(QColor(212, 208, 200)));

  blockSkipBox_ = Make<QCheckBox>(this, names.blockSkipBox, {440, 4, 205, 22});
  blockSkipBox_->setText(QStringLiteral("Satz Aus- blenden"));

  editor_ = Make<ui::NcEditor>(this, names.editor, {116, 30, 441, 160});
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setPointSize(10);
  courier.setBold(false);
  editor_->setFont(courier);
  QPalette editorColours = editor_->palette();
  editorColours.setColor(QPalette::Base, Qt::black);
  editorColours.setColor(QPalette::Text, Qt::yellow);
  editor_->setPalette(editorColours);
  editor_->SetModalHost(host_);  // "Gehe zu Zeile" and "Suchen" go through the window's host

  listingText_ = Make<QPlainTextEdit>(this, names.listingText, {0, 0, 10, 10});
  listingText_->setReadOnly(true);
  listingText_->hide();

  auto* statusPanel = Make<QFrame>(this, names.statusPanel, {116, 194, 441, 26});
  statusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusPanel->setAutoFillBackground(true);
  statusPanel->setPalette(QPalette(QColor(212, 208, 200)));
  statusLine_ = Make<QLabel>(statusPanel, names.statusLine, {4, 2, 433, 22});
  statusLine_->setText(QStringLiteral("Meldung"));
  statusLine_->setTextFormat(Qt::PlainText);
  statusLine_->setPalette(QPalette(QColor(212, 208, 200)));

  auto* pictureFrame = Make<QFrame>(this, names.pictureFrame, {116, 224, 441, 361});
  pictureFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture_ = Make<QLabel>(pictureFrame, names.picture, {3, 3, 435, 355});
  picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPixmap blank(draw::kRasterWidth, draw::kRasterHeight);
  blank.fill(QColor(draw::kNavy.r, draw::kNavy.g, draw::kNavy.b));
  picture_->setPixmap(blank);
  picture_->installEventFilter(this);

  CreateButtons();
  CreatePictures();
}

// The progress bar and the start and end pictures.
void MainWindow::CreatePictures() {
  const ui::MainWindowNames& names = ui::kMainWindowNames;
  progressBar_ = Make<QProgressBar>(this, names.progressBar, {590, 224, 28, 240});
  progressBar_->setOrientation(Qt::Vertical);
  progressBar_->setTextVisible(false);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: yellow; }"));
  // What the bar shows in figures: the confirmed block, the time and the time left.
  transferFigures_ = Make<QLabel>(this, names.transferFigures, {563, 468, 82, 80});
  transferFigures_->setTextFormat(Qt::PlainText);
  transferFigures_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  transferFigures_->setWordWrap(true);

  // The start picture stands where the end picture stands: one of them shows.
  endPicture_ = Make<ui::PictureButton>(this, names.endPicture, {4, 482, 105, 101});
  endPicture_->setPixmap(ui::EndPicture(105, 101));
  endPicture_->setToolTip(QStringLiteral("Arbeit beenden"));
  startPicture_ = Make<ui::PictureButton>(this, names.startPicture, {4, 482, 105, 105});
  startPicture_->setPixmap(ui::StartPicture(105, 105));
  startPicture_->setToolTip(QStringLiteral("Arbeit beginnen"));
}

void MainWindow::CreateButtons() {
  const ui::MainWindowNames& names = ui::kMainWindowNames;
  newButton_ = Button(this, names.newButton, "&Neues", "neues Programm ", {8, 30, 100, 28});
  loadButton_ = Button(this, names.loadButton, "&Laden", "Programm laden", {8, 62, 100, 28});
  saveButton_ = Button(this, names.saveButton, "S&peichern", "Speichern", {8, 94, 100, 28});
  toolsButton_ = Button(this, names.toolsButton, "Werkz.", "Werkzeugdatei", {8, 140, 100, 28});
  zeroPointsButton_ =
      Button(this, names.zeroPointsButton, "Nullp.", "Datei für  Nullpunktverschiebung", {8, 172, 100, 28});
  installationButton_ =
      Button(this, names.installationButton, "Install.", "Installationsprogramm aufrufen", {8, 204, 100, 28});
  drawButton_ = Button(this, names.drawButton, "Z&eichnen", "Zeichnet Fräsebahnmittelpunkt", {563, 30, 82, 28});
  sendButton_ = Button(this, names.sendButton, "S&enden", "Überträgt Daten ", {563, 62, 82, 28});
  abortButton_ = Button(this, names.abortButton, "&Abbruch", "Übertragung abbrechen", {563, 94, 82, 28});
  errorSearchButton_ = Button(this, names.errorSearchButton, "Fehler", "Fehlersuche CNC-Display --> CNC-Programm ",
                              {563, 140, 82, 28});
  sendFromButton_ = Button(this, names.sendFromButton, "Ab Satz senden",
                           "Neue Übertragung ab einem Satz, z.B. nach einem Abbruch", {563, 172, 82, 28});
  transferLogButton_ =
      Button(this, names.transferLogButton, "Protokoll", "Protokoll der Übertragungen", {8, 236, 100, 28});
  closeButton_ = Button(this, names.closeButton, "&Schließen", "Routine beenden", {563, 553, 82, 28});
}

}  // namespace app
