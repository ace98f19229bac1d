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
#include "ui/component_names.h"
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
    : QDialog(parent), chosen_(port), devices_(devices), namedDevice_(namedDevice) {
  CreateComponents(devices);
  ShowParameters();
  ShowDevice();
  ShowWarnings();
  connect(okButton_, &QPushButton::clicked, this, &PortDialog::OnOk);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(port_, &QComboBox::currentIndexChanged, this, &PortDialog::ShowDevice);
  for (QSpinBox* box : {xOnChar_, xOffChar_}) connect(box, &QSpinBox::valueChanged, this, &PortDialog::ShowWarnings);
  for (QCheckBox* box : {softwareTransmit_, softwareReceive_}) {
    connect(box, &QCheckBox::toggled, this, &PortDialog::ShowWarnings);
  }
}

void PortDialog::CreateComponents(const QStringList& devices) {
  const PortDialogNames& names = kPortDialogNames;
  setObjectName(QString::fromLatin1(names.window));
  setWindowTitle(QStringLiteral("Com Port Options"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  port_ = Named(new QComboBox(this), names.port);
  for (qsizetype i = 0; i < devices.size() && i < 255; ++i) {
    port_->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(devices[i]), static_cast<int>(i + 1));
  }
  baud_ = Named(new QComboBox(this), names.baud);
  for (int rate : kBaudRates) baud_->addItem(QString::number(rate), rate);
  parity_ = Named(new QComboBox(this), names.parity);
  for (int code = 0; code < 5; ++code) parity_->addItem(QString::fromLatin1(kParityNames[code]), code);
  dataBits_ = Named(new QComboBox(this), names.dataBits);
  for (int bits : {8, 7, 6, 5}) dataBits_->addItem(QString::number(bits), bits);
  stopBits_ = Named(new QComboBox(this), names.stopBits);
  for (int bits : {1, 2}) stopBits_->addItem(QString::number(bits), bits);

  auto* flow = new QGroupBox(QStringLiteral("Flow control"), this);
  auto* flowLayout = new QVBoxLayout(flow);
  dtrDsr_ = Named(new QCheckBox(QStringLiteral("DTR/DSR"), flow), names.dtrDsr);
  rtsCts_ = Named(new QCheckBox(QStringLiteral("RTS/CTS"), flow), names.rtsCts);
  softwareTransmit_ = Named(new QCheckBox(QStringLiteral("Software transmit"), flow), names.softwareTransmit);
  softwareReceive_ = Named(new QCheckBox(QStringLiteral("Software receive"), flow), names.softwareReceive);
  for (QCheckBox* box : {dtrDsr_, rtsCts_, softwareTransmit_, softwareReceive_}) flowLayout->addWidget(box);

  xOnChar_ = Named(new QSpinBox(this), names.xOnChar);
  xOffChar_ = Named(new QSpinBox(this), names.xOffChar);
  for (QSpinBox* box : {xOnChar_, xOffChar_}) box->setRange(0, 255);
  device_ = Named(new QLabel(this), names.device);
  warnings_ = Named(new QLabel(this), names.warnings);
  for (QLabel* label : {device_, warnings_}) {
    label->setWordWrap(true);
    label->setMinimumWidth(kMessageWidth);
  }
  warnings_->setStyleSheet(QStringLiteral("color: #a00000;"));
  traceBox_ = Named(new QCheckBox(QStringLiteral("Byte-Mitschnitt beim Senden"), this), names.trace);
  traceBox_->hide();

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Port"), port_);
  form->addRow(device_);
  form->addRow(QStringLiteral("Baud"), baud_);
  form->addRow(QStringLiteral("Parity"), parity_);
  form->addRow(QStringLiteral("Data bits"), dataBits_);
  form->addRow(QStringLiteral("Stop bits"), stopBits_);
  form->addRow(flow);
  form->addRow(QStringLiteral("XOn char"), xOnChar_);
  form->addRow(QStringLiteral("XOff char"), xOffChar_);

  auto* buttons = new QDialogButtonBox(this);
  okButton_ = Named(buttons->addButton(QDialogButtonBox::Ok), names.okButton);
  cancelButton_ = Named(buttons->addButton(QDialogButtonBox::Cancel), names.cancelButton);
  okButton_->setText(QStringLiteral("OK"));
  cancelButton_->setText(QStringLiteral("Cancel"));
  okButton_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(warnings_);
  layout->addWidget(traceBox_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PortDialog::ShowParameters() {
  Select(port_, chosen_.comNumber, QStringLiteral("%1: (nicht vorhanden)").arg(chosen_.comNumber));
  Select(baud_, chosen_.baud, QString::number(chosen_.baud));
  Select(parity_, chosen_.parity, QString::number(chosen_.parity));
  Select(dataBits_, chosen_.dataBits, QString::number(chosen_.dataBits));
  Select(stopBits_, chosen_.stopBits, QString::number(chosen_.stopBits));
  dtrDsr_->setChecked((chosen_.hwFlowOptions & kDtrDsrBits) != 0);
  rtsCts_->setChecked((chosen_.hwFlowOptions & kRtsCtsBits) != 0);
  softwareTransmit_->setChecked((chosen_.swFlowOptions & kSoftwareTransmit) != 0);
  softwareReceive_->setChecked((chosen_.swFlowOptions & kSoftwareReceive) != 0);
  xOnChar_->setValue(chosen_.xOnChar);
  xOffChar_->setValue(chosen_.xOffChar);
}

data::PortParameters PortDialog::Shown() const {
  data::PortParameters shown = chosen_;
  shown.comNumber = static_cast<std::uint8_t>(Chosen(port_));
  shown.baud = Chosen(baud_);
  shown.parity = static_cast<std::uint8_t>(Chosen(parity_));
  shown.dataBits = Chosen(dataBits_);
  shown.stopBits = Chosen(stopBits_);
  shown.hwFlowOptions = Bits(Bits(chosen_.hwFlowOptions, kDtrDsrBits, dtrDsr_), kRtsCtsBits, rtsCts_);
  shown.swFlowOptions = Bits(Bits(chosen_.swFlowOptions, kSoftwareTransmit, softwareTransmit_), kSoftwareReceive,
                             softwareReceive_);
  shown.xOnChar = static_cast<std::uint8_t>(xOnChar_->value());
  shown.xOffChar = static_cast<std::uint8_t>(xOffChar_->value());
  return shown;
}

void PortDialog::ShowDevice() {
  if (!namedDevice_.isEmpty()) {
    device_->setText(QStringLiteral("Verwendet wird %1 (RUR_PORT), gleich welcher Port gew\u00e4hlt ist.")
                        .arg(namedDevice_));
    return;
  }
  const int number = Chosen(port_);
  device_->setText(number >= 1 && number <= devices_.size()
                      ? QStringLiteral("Verwendet wird %1.").arg(devices_[number - 1])
                      : QStringLiteral("Port %1 ist nicht vorhanden.").arg(number));
}

void PortDialog::ShowWarnings() {
  QStringList lines;
  for (const std::string& warning : transfer::PortWarnings(Shown())) lines << ToQt(warning);
  warnings_->setText(lines.join(QLatin1Char('\n')));
  warnings_->setVisible(!lines.isEmpty());
}

void PortDialog::OfferTrace(bool on, const QString& file) {
  trace_ = on;
  traceBox_->setChecked(on);
  // The file's name alone; its whole path in the tip.
  traceBox_->setText(QStringLiteral("Byte-Mitschnitt beim Senden (%1)").arg(file.section(QLatin1Char('/'), -1)));
  traceBox_->setToolTip(file);
  traceBox_->show();
}

void PortDialog::OnOk() {
  chosen_ = Shown();
  trace_ = traceBox_->isChecked();
  accept();
}

}  // namespace ui
