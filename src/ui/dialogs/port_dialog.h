// The port parameter dialog "Com Port Options": the port among the serial
// devices present, baud rate, parity, data and stop bits, flow control and
// the XOn/XOff characters, and beside them whether transfers keep a byte
// trace. It edits a copy of the nine port parameters and gives the copy
// back when it is closed with OK. Two labels follow the values: the device
// a transfer uses, and the warnings about the values.
#pragma once

#include <QDialog>
#include <QStringList>

#include "data/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace ui {

class PortDialog : public QDialog {
  Q_OBJECT
 public:
  // devices: the serial devices present, in port-number order (port n is
  // entry n - 1). A value the lists do not offer (a port number beyond
  // the devices, an unusual baud rate) is offered in addition, so that OK
  // keeps it. namedDevice: the device RUR_PORT names, used whatever the
  // port number (empty when none is named).
  PortDialog(const data::PortParameters& port, const QStringList& devices, const QString& namedDevice = QString(),
             QWidget* parent = nullptr);

  // The parameters chosen with OK; until then those given.
  const data::PortParameters& Parameters() const { return chosen_; }
  // Shows the check box of the byte trace beside the parameters, checked
  // with `on`; the trace is written to `file`. Hidden until then.
  void OfferTrace(bool on, const QString& file);
  // Whether the byte trace was chosen with OK; until then as offered.
  bool Trace() const { return trace_; }

 private:
  void CreateComponents(const QStringList& devices);
  void ShowParameters();
  // The parameters as the components show them.
  data::PortParameters Shown() const;
  void ShowDevice();
  void ShowWarnings();
  void OnOk();

  data::PortParameters chosen_;
  QStringList devices_;
  QString namedDevice_;
  QComboBox* port_ = nullptr;
  QComboBox* baud_ = nullptr;
  QComboBox* parity_ = nullptr;
  QComboBox* dataBits_ = nullptr;
  QComboBox* stopBits_ = nullptr;
  QCheckBox* dtrDsr_ = nullptr;
  QCheckBox* rtsCts_ = nullptr;
  QCheckBox* softwareTransmit_ = nullptr;
  QCheckBox* softwareReceive_ = nullptr;
  QSpinBox* xOnChar_ = nullptr;
  QSpinBox* xOffChar_ = nullptr;
  QLabel* device_ = nullptr;    // the device a transfer uses
  QLabel* warnings_ = nullptr;  // one line per warning; hidden when there is none
  QCheckBox* traceBox_ = nullptr;
  bool trace_ = false;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace ui
