// The workstation's serial port: a transfer's serial line on QSerialPort,
// used from the user-interface thread only, claimed against other senders
// (QSerialPort's lock file and a lock on the device) and refused with the
// reason when it cannot serve. It moves bytes and sleeps in a nested event
// loop while it waits, so the window stays usable; the protocol is
// somebody else's business.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include "transfer/serial_line.h"

class QEventLoop;

namespace ui {

// Orders device names by name, a number inside a name by its value, so that
// "ttyS2" comes before "ttyS10".
void SortDeviceNames(QStringList& names);

// The serial devices present (system locations), sorted: port number n is
// entry n - 1.
QStringList SerialDevices();

// The device that RUR_PORT names (empty when it is not set): it is used
// whatever the port number.
QString NamedPortDevice();

// The device of port number n: the device named by RUR_PORT when that is
// set, otherwise entry n - 1 of SerialDevices(); empty when there is none.
QString PortDevice(int comNumber);

// The port parameters as QSerialPort takes them. False for a value it has
// no setting for (parity beyond 4, data bits outside 5..8, stop bits other
// than 1 and 2, a baud rate below 1).
struct QtPortSettings {
  qint32 baud = 9600;
  QSerialPort::Parity parity = QSerialPort::NoParity;
  QSerialPort::DataBits dataBits = QSerialPort::Data8;
  QSerialPort::StopBits stopBits = QSerialPort::OneStop;
  QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
};
bool ToQtPortSettings(const data::PortParameters& port, QtPortSettings& settings);

class QtSerialLine : public QObject, public transfer::SerialLine {
  Q_OBJECT
 public:
  explicit QtSerialLine(QObject* parent = nullptr);
  ~QtSerialLine() override;

  bool Open(const data::PortParameters& port) override;
  void Close() override;
  void DiscardBuffers() override;
  void ReadAvailable(std::vector<std::uint8_t>& into) override;
  std::size_t Write(std::span<const std::uint8_t> bytes) override;
  void Wait(transfer::LineWait what) override;
  std::string Failure() const override;

  // Ends the wait in progress; without one, the next wait returns at once.
  // The abort command calls it.
  void Interrupt();

  bool isOpen() const { return port_.isOpen(); }
  // The device opened last (empty before the first opening).
  QString device() const { return device_; }

  // Bytes queued but not yet handed to the device; Write takes at most
  // this many in all.
  static constexpr qint64 kOutputRoom = 4096;

 private:
  // Empty when the device opened, else why not (without the device's name).
  std::string OpenDevice(const data::PortParameters& port);
  std::string OpenFailure(const std::string& device) const;
  void PortError(QSerialPort::SerialPortError error);
  qint64 Room() const;

  QSerialPort port_;
  QString device_;
  QEventLoop* loop_ = nullptr;  // the wait in progress
  bool interrupted_ = false;
  std::string failure_;
};

}  // namespace ui
