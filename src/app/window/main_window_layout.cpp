// Creation and placement of the main window's components.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/picture/raster.h"
#include "main_window.h"
#include "window/anchored_layout.h"
#include "window/status_line.h"
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

// How each component follows the room beyond 651 x 587: the editor takes
// it in both directions, the program name and the status line its width;
// the right column moves right, the bottom row down; the work-area picture
// keeps its size. The status line grows upward into the editor as its text
// needs, the editor keeping three lines.
using Follow = AnchoredLayout::Follow;
struct Anchor {
  const char* ui::MainWindowNames::*name;
  Follow x, y;
};
constexpr ui::MainWindowNames kN;
constexpr Anchor kAnchors[] = {
    {&ui::MainWindowNames::programName, Follow::kStretch, Follow::kStay},
    {&ui::MainWindowNames::blockSkipBox, Follow::kMove, Follow::kStay},
    {&ui::MainWindowNames::editor, Follow::kStretch, Follow::kStretch},
    {&ui::MainWindowNames::statusPanel, Follow::kStretch, Follow::kMove},
    {&ui::MainWindowNames::pictureFrame, Follow::kStay, Follow::kMove},
    {&ui::MainWindowNames::newButton, Follow::kStay, Follow::kStay},
    {&ui::MainWindowNames::loadButton, Follow::kStay, Follow::kStay},
    {&ui::MainWindowNames::saveButton, Follow::kStay, Follow::kStay},
    {&ui::MainWindowNames::toolsButton, Follow::kStay, Follow::kStay},
    {&ui::MainWindowNames::zeroPointsButton, Follow::kStay, Follow::kStay},
    {&ui::MainWindowNames::installationButton, Follow::kStay, Follow::kStay},
    {&ui::MainWindowNames::transferLogButton, Follow::kStay, Follow::kStay},
    {&ui::MainWindowNames::drawButton, Follow::kMove, Follow::kStay},
    {&ui::MainWindowNames::sendButton, Follow::kMove, Follow::kStay},
    {&ui::MainWindowNames::abortButton, Follow::kMove, Follow::kStay},
    {&ui::MainWindowNames::errorSearchButton, Follow::kMove, Follow::kStay},
    {&ui::MainWindowNames::sendFromButton, Follow::kMove, Follow::kStay},
    {&ui::MainWindowNames::progressBar, Follow::kMove, Follow::kMove},
    {&ui::MainWindowNames::transferFigures, Follow::kMove, Follow::kMove},
    {&ui::MainWindowNames::closeButton, Follow::kMove, Follow::kMove},
    {&ui::MainWindowNames::startPicture, Follow::kStay, Follow::kMove},
    {&ui::MainWindowNames::endPicture, Follow::kStay, Follow::kMove},
};
constexpr int kEditorKeeps = 48;  // pixels: three lines

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
  // The components fill the central area; the docked view beside them keeps
  // the application's own font and colours.
  auto* room = new QWidget(this);
  setCentralWidget(room);
  room->setFont(WindowFont());
  room->setAutoFillBackground(true);
  QPalette navy = room->palette();
  navy.setColor(QPalette::Window, QColor(0, 0, 128));
  navy.setColor(QPalette::WindowText, Qt::white);
  room->setPalette(navy);
  CreateComponentsIn(room);
  CreateButtons(room);
  CreatePictures(room);
  AnchorComponents(room);

}

void MainWindow::AnchorComponents(QWidget* room) {
  auto* layout = new AnchoredLayout(room, {kClientWidth, kClientHeight});
  for (const Anchor& a : kAnchors) {
    layout->Add(room->findChild<QWidget*>(QString::fromLatin1(kN.*a.name), Qt::FindDirectChildrenOnly), a.x, a.y);
  }
  layout->GrowUpward(room->findChild<QWidget*>(QString::fromLatin1(kN.statusPanel), Qt::FindDirectChildrenOnly),
                     editor_, kEditorKeeps);
}

// The program name, the editor, the status line and the work-area picture.
void MainWindow::CreateComponentsIn(QWidget* room) {
  const ui::MainWindowNames& names = ui::kMainWindowNames;

  programName_ = Make<QLabel>(room, names.programName, {116, 4, 318, 22});
  programName_->setText(QStringLiteral("Programm:"));
  programName_->setTextFormat(Qt::PlainText);
  programName_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  programName_->setAutoFillBackground(true);
  programName_->setPalette(QPalette(QColor(212, 208, 200)));

  blockSkipBox_ = Make<QCheckBox>(room, names.blockSkipBox, {440, 4, 205, 22});
  blockSkipBox_->setText(QStringLiteral("Satz Aus- blenden"));

  editor_ = Make<ui::NcEditor>(room, names.editor, {116, 30, 441, 160});
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

  listingText_ = Make<QPlainTextEdit>(room, names.listingText, {0, 0, 10, 10});
  listingText_->setReadOnly(true);
  listingText_->hide();

  auto* statusPanel = Make<QFrame>(room, names.statusPanel, {116, 194, 441, 26});
  statusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusPanel->setAutoFillBackground(true);
  statusPanel->setPalette(QPalette(QColor(212, 208, 200)));
  // The line sits 4 pixels in from the panel's sides and 2 from its top
  // and bottom; a long text wraps and the panel grows to hold it.
  statusLine_ = Make<StatusLine>(statusPanel, names.statusLine, {4, 2, 433, 22});
  statusLine_->setText(QStringLiteral("Meldung"));
  statusLine_->setWordWrap(true);
  statusLine_->setPalette(QPalette(QColor(212, 208, 200)));
  auto* statusLayout = new QVBoxLayout(statusPanel);
  const int inFrame = statusPanel->frameWidth();
  statusLayout->setContentsMargins(4 - inFrame, 2 - inFrame, 4 - inFrame, 2 - inFrame);
  statusLayout->addWidget(statusLine_);

  auto* pictureFrame = Make<QFrame>(room, names.pictureFrame, {116, 224, 441, 361});
  pictureFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture_ = Make<QLabel>(pictureFrame, names.picture, {3, 3, 435, 355});
  picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPixmap blank(draw::kRasterWidth, draw::kRasterHeight);
  blank.fill(QColor(draw::kNavy.r, draw::kNavy.g, draw::kNavy.b));
  picture_->setPixmap(blank);
  picture_->installEventFilter(this);
}

// The progress bar and the start and end pictures.
void MainWindow::CreatePictures(QWidget* room) {
  const ui::MainWindowNames& names = ui::kMainWindowNames;
  progressBar_ = Make<QProgressBar>(room, names.progressBar, {590, 224, 28, 240});
  progressBar_->setOrientation(Qt::Vertical);
  progressBar_->setTextVisible(false);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: yellow; }"));
  // What the bar shows in figures: the confirmed block, the time and the time left.
  transferFigures_ = Make<QLabel>(room, names.transferFigures, {563, 468, 82, 80});
  transferFigures_->setTextFormat(Qt::PlainText);
  transferFigures_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  transferFigures_->setWordWrap(true);

  // The start picture stands where the end picture stands: one of them shows.
  endPicture_ = Make<ui::PictureButton>(room, names.endPicture, {4, 482, 105, 101});
  endPicture_->setPixmap(ui::EndPicture(105, 101));
  endPicture_->setToolTip(QStringLiteral("Arbeit beenden"));
  startPicture_ = Make<ui::PictureButton>(room, names.startPicture, {4, 482, 105, 105});
  startPicture_->setPixmap(ui::StartPicture(105, 105));
  startPicture_->setToolTip(QStringLiteral("Arbeit beginnen"));
}

void MainWindow::CreateButtons(QWidget* room) {
  const ui::MainWindowNames& names = ui::kMainWindowNames;
  newButton_ = Button(room, names.newButton, "&Neues", "neues Programm ", {8, 30, 100, 28});
  loadButton_ = Button(room, names.loadButton, "&Laden", "Programm laden", {8, 62, 100, 28});
  saveButton_ = Button(room, names.saveButton, "S&peichern", "Speichern", {8, 94, 100, 28});
  toolsButton_ = Button(room, names.toolsButton, "Werkz.", "Werkzeugdatei", {8, 140, 100, 28});
  zeroPointsButton_ =
      Button(room, names.zeroPointsButton, "Nullp.", "Datei für  Nullpunktverschiebung", {8, 172, 100, 28});
  installationButton_ =
      Button(room, names.installationButton, "Install.", "Installationsprogramm aufrufen", {8, 204, 100, 28});
  drawButton_ = Button(room, names.drawButton, "Z&eichnen", "Zeichnet Fräsebahnmittelpunkt", {563, 30, 82, 28});
  sendButton_ = Button(room, names.sendButton, "S&enden", "Überträgt Daten ", {563, 62, 82, 28});
  abortButton_ = Button(room, names.abortButton, "&Abbruch", "Übertragung abbrechen", {563, 94, 82, 28});
  errorSearchButton_ = Button(room, names.errorSearchButton, "Fehler", "Fehlersuche CNC-Display --> CNC-Programm ",
                              {563, 140, 82, 28});
  // Two lines: the caption is wider than the column.
  sendFromButton_ = Button(room, names.sendFromButton, "Ab Satz\nsenden",
                           "Neue Übertragung ab einem Satz, z.B. nach einem Abbruch", {563, 172, 82, 44});
  transferLogButton_ =
      Button(room, names.transferLogButton, "Protokoll", "Protokoll der Übertragungen", {8, 236, 100, 28});
  closeButton_ = Button(room, names.closeButton, "&Schließen", "Routine beenden", {563, 553, 82, 28});
}

}  // namespace app
