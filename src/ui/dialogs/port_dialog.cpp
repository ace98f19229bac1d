#include "ui/dialogs/port_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "transfer/port_rules.h"
#include "ui/platform/qt_text.h"

namespace ui {
namespace {

constexpr int kBaudRates[] = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const char* const kParityNames[] = {"None", "Odd", "Even", "Mark", "Space"};

// Flow-control bits of the hardware options, by check box.
constexpr std::uint8_t kDtrDsrBits = 0x01 | 0x04;  // use DTR, require DSR
constexpr std::uint8_t kRtsCtsBits = 0x02 | 0x08;  // use RTS, require CTS
// Width of the labels under the port and above the buttons.
constexpr int kMessageWidth = 280;
// Software flow-control values.
constexpr std::uint8_t kSoftwareReceive = 1;
constexpr std::uint8_t kSoftwareTransmit = 2;

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Selects the item holding value, adding one with `text` when there is none.
void Select(QComboBox* box, int value, const QString& text) {
  int index = box->findData(value);
  if (index < 0) {
    box->addItem(text, value);
    index = box->count() - 1;
  }
  box->setCurrentIndex(index);
}

int Chosen(const QComboBox* box) { return box->currentData().toInt(); }

// A box that was not touched keeps the bits as they were, so that a DTR
// without DSR (or the like) read from a file survives OK.
std::uint8_t Bits(std::uint8_t bits, std::uint8_t mask, const QCheckBox* box) {
  if (box->isChecked() == ((bits & mask) != 0)) return bits;
  return box->isChecked() ? static_cast<std::uint8_t>(bits | mask) : static_cast<std::uint8_t>(bits & ~mask);
}

}  // namespace

PortDialog::PortDialog(const data::PortParameters& port, const QStringList& devices, const QString& namedDevice,
                       QWidget* parent)
    : QDialog(parent), port_(port), devices_(devices), namedDevice_(namedDevice) {
  CreateComponents(devices);
  ShowParameters();
  ShowDevice();
  ShowWarnings();
  connect(OKBtn, &QPushButton::clicked, this, &PortDialog::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(Port, &QComboBox::currentIndexChanged, this, &PortDialog::ShowDevice);
  for (QSpinBox* box : {XOnChar, XOffChar}) connect(box, &QSpinBox::valueChanged, this, &PortDialog::ShowWarnings);
  for (QCheckBox* box : {SoftwareTransmit, SoftwareReceive}) {
    connect(box, &QCheckBox::toggled, this, &PortDialog::ShowWarnings);
  }
}

void PortDialog::CreateComponents(const QStringList& devices) {
  setObjectName(QStringLiteral("ComPortOptions"));
  setWindowTitle(QStringLiteral("Com Port Options"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  Port = Named(new QComboBox(this), "Port");
  for (qsizetype i = 0; i < devices.size() && i < 255; ++i) {
    Port->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(devices[i]), static_cast<int>(i + 1));
  }
  Baud = Named(new QComboBox(this), "Baud");
  for (int rate : kBaudRates) Baud->addItem(QString::number(rate), rate);
  Parity = Named(new QComboBox(this), "Parity");
  for (int code = 0; code < 5; ++code) Parity->addItem(QString::fromLatin1(kParityNames[code]), code);
  DataBits = Named(new QComboBox(this), "DataBits");
  for (int bits : {8, 7, 6, 5}) DataBits->addItem(QString::number(bits), bits);
  StopBits = Named(new QComboBox(this), "StopBits");
  for (int bits : {1, 2}) StopBits->addItem(QString::number(bits), bits);

  auto* flow = new QGroupBox(QStringLiteral("Flow control"), this);
  auto* flowLayout = new QVBoxLayout(flow);
  DtrDsr = Named(new QCheckBox(QStringLiteral("DTR/DSR"), flow), "DtrDsr");
  RtsCts = Named(new QCheckBox(QStringLiteral("RTS/CTS"), flow), "RtsCts");
  SoftwareTransmit = Named(new QCheckBox(QStringLiteral("Software transmit"), flow), "SoftwareTransmit");
  SoftwareReceive = Named(new QCheckBox(QStringLiteral("Software receive"), flow), "SoftwareReceive");
  for (QCheckBox* box : {DtrDsr, RtsCts, SoftwareTransmit, SoftwareReceive}) flowLayout->addWidget(box);

  XOnChar = Named(new QSpinBox(this), "XOnChar");
  XOffChar = Named(new QSpinBox(this), "XOffChar");
  for (QSpinBox* box : {XOnChar, XOffChar}) box->setRange(0, 255);
  Device = Named(new QLabel(this), "Device");
  Warnings = Named(new QLabel(this), "Warnings");
  for (QLabel* label : {Device, Warnings}) {
    label->setWordWrap(true);
    label->setMinimumWidth(kMessageWidth);
  }
  Warnings->setStyleSheet(QStringLiteral("color: #a00000;"));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Port"), Port);
  form->addRow(Device);
  form->addRow(QStringLiteral("Baud"), Baud);
  form->addRow(QStringLiteral("Parity"), Parity);
  form->addRow(QStringLiteral("Data bits"), DataBits);
  form->addRow(QStringLiteral("Stop bits"), StopBits);
  form->addRow(flow);
  form->addRow(QStringLiteral("XOn char"), XOnChar);
  form->addRow(QStringLiteral("XOff char"), XOffChar);

  auto* buttons = new QDialogButtonBox(this);
  OKBtn = Named(buttons->addButton(QDialogButtonBox::Ok), "OKBtn");
  CancelBtn = Named(buttons->addButton(QDialogButtonBox::Cancel), "CancelBtn");
  OKBtn->setText(QStringLiteral("OK"));
  CancelBtn->setText(QStringLiteral("Cancel"));
  OKBtn->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(Warnings);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PortDialog::ShowParameters() {
  Select(Port, port_.comNumber, QStringLiteral("%1: (nicht vorhanden)").arg(port_.comNumber));
  Select(Baud, port_.baud, QString::number(port_.baud));
  Select(Parity, port_.parity, QString::number(port_.parity));
  Select(DataBits, port_.dataBits, QString::number(port_.dataBits));
  Select(StopBits, port_.stopBits, QString::number(port_.stopBits));
  DtrDsr->setChecked((port_.hwFlowOptions & kDtrDsrBits) != 0);
  RtsCts->setChecked((port_.hwFlowOptions & kRtsCtsBits) != 0);
  SoftwareTransmit->setChecked((port_.swFlowOptions & kSoftwareTransmit) != 0);
  SoftwareReceive->setChecked((port_.swFlowOptions & kSoftwareReceive) != 0);
  XOnChar->setValue(port_.xOnChar);
  XOffChar->setValue(port_.xOffChar);
}

data::PortParameters PortDialog::Shown() const {
  data::PortParameters shown = port_;
  shown.comNumber = static_cast<std::uint8_t>(Chosen(Port));
  shown.baud = Chosen(Baud);
  shown.parity = static_cast<std::uint8_t>(Chosen(Parity));
  shown.dataBits = Chosen(DataBits);
  shown.stopBits = Chosen(StopBits);
  shown.hwFlowOptions = Bits(Bits(port_.hwFlowOptions, kDtrDsrBits, DtrDsr), kRtsCtsBits, RtsCts);
  shown.swFlowOptions = Bits(Bits(port_.swFlowOptions, kSoftwareTransmit, SoftwareTransmit), kSoftwareReceive,
                             SoftwareReceive);
  shown.xOnChar = static_cast<std::uint8_t>(XOnChar->value());
  shown.xOffChar = static_cast<std::uint8_t>(XOffChar->value());
  return shown;
}

void PortDialog::ShowDevice() {
  if (!namedDevice_.isEmpty()) {
    Device->setText(QStringLiteral("Verwendet wird %1 (RUR_PORT), gleich welcher Port gew\u00e4hlt ist.")
                        .arg(namedDevice_));
    return;
  }
  const int number = Chosen(Port);
  Device->setText(number >= 1 && number <= devices_.size()
                      ? QStringLiteral("Verwendet wird %1.").arg(devices_[number - 1])
                      : QStringLiteral("Port %1 ist nicht vorhanden.").arg(number));
}

void PortDialog::ShowWarnings() {
  QStringList lines;
  for (const std::string& warning : transfer::PortWarnings(Shown())) lines << ToQt(warning);
  Warnings->setText(lines.join(QLatin1Char('\n')));
  Warnings->setVisible(!lines.isEmpty());
}

void PortDialog::OKBtnClick() {
  port_ = Shown();
  accept();
}

}  // namespace ui
