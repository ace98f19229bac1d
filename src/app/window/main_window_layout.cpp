// Creation and placement of the main window's components.
#include <QCheckBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "draw/picture/raster.h"
#include "main_window.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"

namespace app {
namespace {

constexpr int kClientWidth = 651;
constexpr int kClientHeight = 587;

template <typename W>
W* Make(QWidget* parent, const char* name, QRect geometry) {
  auto* w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
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

  Panel2 = Make<QLabel>(this, "Panel2", {116, 4, 318, 22});
  Panel2->setText(QStringLiteral("Programm:"));
  Panel2->setTextFormat(Qt::PlainText);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setAutoFillBackground(true);
  Panel2->setPalette(QPalette(QColor(212, 208, 200)));

  CheckBox1 = Make<QCheckBox>(this, "CheckBox1", {440, 4, 205, 22});
  CheckBox1->setText(QStringLiteral("Satz Aus- blenden"));

  showeditor = Make<ui::NcEditor>(this, "showeditor", {116, 30, 441, 160});
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setPointSize(10);
  courier.setBold(false);
  showeditor->setFont(courier);
  QPalette editorColours = showeditor->palette();
  editorColours.setColor(QPalette::Base, Qt::black);
  editorColours.setColor(QPalette::Text, Qt::yellow);
  showeditor->setPalette(editorColours);
  showeditor->SetModalHost(host_);  // "Gehe zu Zeile" and "Suchen" go through the window's host

  simArray = Make<QPlainTextEdit>(this, "simArray", {0, 0, 10, 10});
  simArray->setReadOnly(true);
  simArray->hide();

  Panel1 = Make<QFrame>(this, "Panel1", {116, 194, 441, 26});
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setAutoFillBackground(true);
  Panel1->setPalette(QPalette(QColor(212, 208, 200)));
  meldung = Make<QLabel>(Panel1, "meldung", {4, 2, 433, 22});
  meldung->setText(QStringLiteral("Meldung"));
  meldung->setTextFormat(Qt::PlainText);
  meldung->setPalette(QPalette(QColor(212, 208, 200)));

  Panel4 = Make<QFrame>(this, "Panel4", {116, 224, 441, 361});
  Panel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Image0 = Make<QLabel>(Panel4, "Image0", {3, 3, 435, 355});
  Image0->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPixmap blank(draw::kRasterWidth, draw::kRasterHeight);
  blank.fill(QColor(draw::kNavy.r, draw::kNavy.g, draw::kNavy.b));
  Image0->setPixmap(blank);

  neues = Button(this, "neues", "&Neues", "neues Programm ", {8, 30, 100, 28});
  laden = Button(this, "laden", "&Laden", "Programm laden", {8, 62, 100, 28});
  speichern = Button(this, "speichern", "S&peichern", "Speichern", {8, 94, 100, 28});
  Werkzeugtaste = Button(this, "Werkzeugtaste", "Werkz.", "Werkzeugdatei", {8, 140, 100, 28});
  nullpunkt = Button(this, "nullpunkt", "Nullp.", "Datei für  Nullpunktverschiebung", {8, 172, 100, 28});
  Schnittstelle = Button(this, "Schnittstelle", "Install.", "Installationsprogramm aufrufen", {8, 204, 100, 28});
  simuliere = Button(this, "simuliere", "Z&eichnen", "Zeichnet Fräsebahnmittelpunkt", {563, 30, 82, 28});
  senden = Button(this, "senden", "S&enden", "Überträgt Daten ", {563, 62, 82, 28});
  abbruch = Button(this, "abbruch", "&Abbruch", "Übertragung abbrechen", {563, 94, 82, 28});
  fehlersuche = Button(this, "fehlersuche", "Fehler", "Fehlersuche CNC-Display --> CNC-Programm ", {563, 140, 82, 28});
  beenden = Button(this, "beenden", "&Schließen", "Routine beenden", {563, 553, 82, 28});

  OvcMeter1 = Make<QProgressBar>(this, "OvcMeter1", {590, 224, 28, 240});
  OvcMeter1->setOrientation(Qt::Vertical);
  OvcMeter1->setTextVisible(false);
  OvcMeter1->setRange(0, 100);
  OvcMeter1->setValue(0);
  OvcMeter1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: yellow; }"));

  Image2 = Make<ui::PictureButton>(this, "Image2", {4, 482, 105, 101});
  Image2->setPixmap(ui::EndPicture(105, 101));
  Image2->setToolTip(QStringLiteral("Arbeit beenden"));
  ende = Make<ui::PictureButton>(this, "ende", {4, 300, 105, 105});
  ende->setPixmap(ui::StartPicture(105, 105));
  ende->setToolTip(QStringLiteral("Arbeit beginnen"));

  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
}

}  // namespace app
