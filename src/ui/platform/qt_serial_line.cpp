#include "ui/platform/qt_serial_line.h"

#include <QEventLoop>
#include <QSerialPortInfo>
#include <algorithm>

#include "transfer/port_claim.h"
#include "transfer/port_device.h"
#include "transfer/port_rules.h"
#include "ui/platform/qt_text.h"

namespace ui {
namespace {

// Hardware flow control bits that QSerialPort can honour (RTS/CTS).
constexpr std::uint8_t kUseRts = 0x02;
constexpr std::uint8_t kRequireCts = 0x08;

// A name split into the text before its last number and that number.
struct NameKey {
  QString stem;
  qulonglong number = 0;
  bool numbered = false;
};

NameKey KeyOf(const QString& name) {
  qsizetype digits = name.size();
  while (digits > 0 && name[digits - 1].isDigit()) --digits;
  NameKey key{name.left(digits)};
  // More digits than a number holds: compare as text only.
  if (name.size() - digits > 0 && name.size() - digits <= 18) {
    key.number = name.mid(digits).toULongLong();
    key.numbered = true;
  }
  if (!key.numbered) key.stem = name;
  return key;
}

}  // namespace

void SortDeviceNames(QStringList& names) {
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const NameKey ka = KeyOf(a);
    const NameKey kb = KeyOf(b);
    if (ka.stem != kb.stem) return ka.stem < kb.stem;
    if (ka.number != kb.number) return ka.number < kb.number;
    return a < b;
  });
}

QStringList SerialDevices() {
  QStringList devices;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) devices << info.systemLocation();
  SortDeviceNames(devices);
  return devices;
}

QString NamedPortDevice() { return qEnvironmentVariable("RUR_PORT"); }

QString PortDevice(int comNumber) {
  const QString named = NamedPortDevice();
  if (!named.isEmpty()) return named;
  const QStringList devices = SerialDevices();
  if (comNumber < 1 || comNumber > devices.size()) return QString();
  return devices[comNumber - 1];
}

// What QSerialPort cannot take, and is therefore left as the device has it:
// DTR/DSR flow control (bits 0 and 2 of the hardware options), the
// direction of software flow control (it is on in both directions once
// either is asked for), and the XOn/XOff characters (the device's own
// start/stop characters are used). When RTS/CTS and software flow control
// are both asked for, RTS/CTS is used: QSerialPort has one mode only.
bool ToQtPortSettings(const data::PortParameters& port, QtPortSettings& settings) {
  static constexpr QSerialPort::Parity kParities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                      QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                      QSerialPort::SpaceParity};
  if (port.baud < 1 || port.parity > 4 || port.dataBits < 5 || port.dataBits > 8 ||
      (port.stopBits != 1 && port.stopBits != 2)) {
    return false;
  }
  settings.baud = port.baud;
  settings.parity = kParities[port.parity];
  settings.dataBits = static_cast<QSerialPort::DataBits>(port.dataBits);
  settings.stopBits = port.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
  if ((port.hwFlowOptions & (kUseRts | kRequireCts)) != 0) {
    settings.flow = QSerialPort::HardwareControl;
  } else if (port.swFlowOptions != 0) {
    settings.flow = QSerialPort::SoftwareControl;
  } else {
    settings.flow = QSerialPort::NoFlowControl;
  }
  return true;
}

QtSerialLine::QtSerialLine(QObject* parent) : QObject(parent) {
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialLine::PortError);
}

QtSerialLine::~QtSerialLine() { Close(); }

bool QtSerialLine::Open(const data::PortParameters& port) {
  Close();
  failure_.clear();
  interrupted_ = false;
  device_ = PortDevice(port.comNumber);
  if (device_.isEmpty()) {
    failure_ = transfer::PortProblemText(std::to_string(port.comNumber),
                                         std::string(transfer::kPortNotPresent) + " (serielle Schnittstellen: " +
                                             std::to_string(SerialDevices().size()) + ")");
    return false;
  }
  const std::string reason = OpenDevice(port);
  if (reason.empty()) return true;
  failure_ = transfer::PortProblemText(FromQt(device_), reason);
  return false;
}

std::string QtSerialLine::OpenDevice(const data::PortParameters& port) {
  const std::string device = device_.toLocal8Bit().toStdString();
  std::string reason = transfer::DeviceProblem(device);
  if (reason.empty()) reason = transfer::UnusableSetting(port);
  // QSerialPort would set the line of a device that another sender holds
  // under another name before the lock below refuses it.
  if (reason.empty()) reason = transfer::HolderReason(device);
  QtPortSettings settings;
  if (reason.empty() && !ToQtPortSettings(port, settings)) reason = "Einstellungen nicht einstellbar";
  if (!reason.empty()) return reason;
  port_.setPortName(device_);
  port_.setBaudRate(settings.baud);
  port_.setParity(settings.parity);
  port_.setDataBits(settings.dataBits);
  port_.setStopBits(settings.stopBits);
  port_.setFlowControl(settings.flow);
  // Raw 8-bit mode is QSerialPort's own: no character is translated. It
  // takes the UUCP lock file itself; the lock on the device keeps root
  // out as well.
  if (!port_.open(QIODevice::ReadWrite)) return OpenFailure(device);
  failure_.clear();  // errors of earlier openings are not this line's
  const int fd = static_cast<int>(port_.handle());
  if (transfer::IsPseudoTerminalMaster(fd)) {
    reason = transfer::kPortPseudoTerminalMaster;
  } else if (!transfer::LockDevice(fd)) {
    reason = transfer::DeviceHolderReason(fd);
  }
  if (!reason.empty()) port_.close();
  return reason;
}

std::string QtSerialLine::OpenFailure(const std::string& device) const {
  switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
      return transfer::kPortNotPresent;
    case QSerialPort::PermissionError: {
      // The lock file held, the device held exclusively, or no permission.
      std::string reason = transfer::HolderReason(device);
      if (reason.empty()) reason = transfer::DeviceProblem(device);
      return reason.empty() ? std::string(transfer::kPortBusy) : reason;
    }
    case QSerialPort::UnsupportedOperationError:  // no terminal calls on it
      return transfer::kPortNotATerminal;
    default:
      return "nicht zu \xF6" "ffnen (" + FromQt(port_.errorString()) + ")";
  }
}

void QtSerialLine::Close() {
  if (!port_.isOpen()) return;
  port_.clear(QSerialPort::Output);
  port_.close();
}

void QtSerialLine::DiscardBuffers() {
  if (port_.isOpen()) port_.clear(QSerialPort::AllDirections);
}

void QtSerialLine::ReadAvailable(std::vector<std::uint8_t>& into) {
  if (!port_.isOpen()) return;
  const QByteArray bytes = port_.readAll();
  into.insert(into.end(), bytes.begin(), bytes.end());
}

qint64 QtSerialLine::Room() const { return port_.isOpen() ? kOutputRoom - port_.bytesToWrite() : 0; }

std::size_t QtSerialLine::Write(std::span<const std::uint8_t> bytes) {
  const qint64 room = Room();
  if (room <= 0 || bytes.empty()) return 0;
  const qint64 count = std::min(room, static_cast<qint64>(bytes.size()));
  const qint64 written = port_.write(reinterpret_cast<const char*>(bytes.data()), count);
  return written > 0 ? static_cast<std::size_t>(written) : 0;
}

void QtSerialLine::Wait(transfer::LineWait what) {
  const bool forRoom = what == transfer::LineWait::kInputOrRoom;
  if (interrupted_) {
    interrupted_ = false;
    return;
  }
  if (!port_.isOpen() || !failure_.empty() || port_.bytesAvailable() > 0 || (forRoom && Room() > 0)) return;

  // The connections die with the loop.
  QEventLoop loop;
  connect(&port_, &QSerialPort::readyRead, &loop, &QEventLoop::quit);
  connect(&port_, &QSerialPort::errorOccurred, &loop, &QEventLoop::quit);
  if (forRoom) connect(&port_, &QSerialPort::bytesWritten, &loop, &QEventLoop::quit);
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
  interrupted_ = false;
}

void QtSerialLine::Interrupt() {
  interrupted_ = true;
  if (loop_ != nullptr) loop_->quit();
}

std::string QtSerialLine::Failure() const { return failure_; }

void QtSerialLine::PortError(QSerialPort::SerialPortError error) {
  if (!failure_.empty()) return;  // the first failure says why
  QString text;
  switch (error) {
    case QSerialPort::ResourceError:
      text = QStringLiteral("Verbindung zur Schnittstelle %1 unterbrochen!");
      break;
    case QSerialPort::ReadError:
      text = QStringLiteral("Lesefehler an der Schnittstelle %1!");
      break;
    case QSerialPort::WriteError:
      text = QStringLiteral("Schreibfehler an der Schnittstelle %1!");
      break;
    default:
      return;
  }
  failure_ = FromQt(text.arg(device_));
}

}  // namespace ui
