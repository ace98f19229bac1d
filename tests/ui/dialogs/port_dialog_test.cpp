// The port dialog "Com Port Options": what it offers, the device it says is
// used, its warnings about XOn/XOff, the parameters it gives back on OK,
// and that Cancel (or an untouched OK) changes nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "ui/component_names.h"
#include "ui/dialogs/port_dialog.h"
#include "ui/parts.h"

namespace {

const ui::PortDialogNames& kNames = ui::kPortDialogNames;

// The dialog's component of that type and name.
template <typename T>
T* Get(ui::PortDialog& d, const char* name) {
  return &testing_support::Part<T>(d, name);
}
QComboBox* Box(ui::PortDialog& d, const char* name) { return Get<QComboBox>(d, name); }
QCheckBox* Check(ui::PortDialog& d, const char* name) { return Get<QCheckBox>(d, name); }
QSpinBox* Spin(ui::PortDialog& d, const char* name) { return Get<QSpinBox>(d, name); }
QLabel* Label(ui::PortDialog& d, const char* name) { return Get<QLabel>(d, name); }
void Click(ui::PortDialog& d, const char* name) { Get<QPushButton>(d, name)->click(); }

const QStringList kDevices{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

void Choose(QComboBox* box, const QString& text) {
  const int index = box->findText(text);
  QVERIFY2(index >= 0, qPrintable(text));
  box->setCurrentIndex(index);
}

// Parameters the lists do not offer: a port beyond the devices, a baud rate
// between the standard ones, DTR without DSR, software flow control for
// receiving only.
data::PortParameters Unusual() {
  return {.comNumber = 5, .baud = 14400, .parity = 2, .dataBits = 7, .stopBits = 2, .hwFlowOptions = 0x01,
          .swFlowOptions = 1, .xOnChar = 17, .xOffChar = 19};
}

}  // namespace

class PortDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void offersThePortsAndTheValuesOfEachParameter() {
    ui::PortDialog d(data::PortParameters{}, kDevices);
    QCOMPARE(Items(Box(d, kNames.port)), (QStringList{"1: /dev/ttyS0", "2: /dev/ttyUSB0"}));
    QCOMPARE(Items(Box(d, kNames.parity)), (QStringList{"None", "Odd", "Even", "Mark", "Space"}));
    QCOMPARE(Items(Box(d, kNames.dataBits)), (QStringList{"8", "7", "6", "5"}));
    QCOMPARE(Box(d, kNames.baud)->currentText(), QStringLiteral("9600"));
  }

  // The device a transfer goes to follows the port chosen, unless RUR_PORT
  // names one.
  void saysWhichDeviceIsUsed() {
    ui::PortDialog d(data::PortParameters{}, kDevices);
    QCOMPARE(Label(d, kNames.device)->text(), QStringLiteral("Verwendet wird /dev/ttyS0."));
    Choose(Box(d, kNames.port), QStringLiteral("2: /dev/ttyUSB0"));
    QCOMPARE(Label(d, kNames.device)->text(), QStringLiteral("Verwendet wird /dev/ttyUSB0."));
    ui::PortDialog missing(Unusual(), kDevices);
    QCOMPARE(Label(missing, kNames.device)->text(), QStringLiteral("Port 5 ist nicht vorhanden."));
    ui::PortDialog named(data::PortParameters{}, kDevices, QStringLiteral("/dev/pts/7"));
    Choose(Box(named, kNames.port), QStringLiteral("2: /dev/ttyUSB0"));
    QCOMPARE(Label(named, kNames.device)->text(),
             QStringLiteral("Verwendet wird /dev/pts/7 (RUR_PORT), gleich welcher Port gew\u00e4hlt ist."));
  }

  // XOn/XOff not set, and software flow control swallowing them (in the
  // window in either direction with the device's 17 and 19; in rur-cli
  // when transmitting, with any characters but 0).
  void warnsAboutTheReplyCharactersAsTheyAreChanged() {
    ui::PortDialog d(data::PortParameters{.xOnChar = 17, .xOffChar = 19}, kDevices);
    QVERIFY(Label(d, kNames.warnings)->text().isEmpty() && Label(d, kNames.warnings)->isHidden());
    const auto unset = [](int xOn, int xOff) {
      return QStringLiteral("XOn/XOff nicht gesetzt (XOn %1, XOff %2): Die QVM meldet vollen Speicher mit 19 und "
                            "gibt mit 17 wieder frei.")
          .arg(xOn)
          .arg(xOff);
    };
    const auto swallowed = [](const char* which) {
      return QStringLiteral("Software-Flusssteuerung: Der Treiber verschluckt %1, die \u00dcbertragung wartet "
                            "dann endlos.")
          .arg(QLatin1String(which));
    };
    struct Case {
      int xOn;
      int xOff;
      bool transmit;
      bool receive;
      QStringList warnings;
    };
    const Case cases[] = {
        {0, 0, false, false, {unset(0, 0)}},
        {17, 19, false, false, {}},
        {17, 19, true, false, {swallowed("XOn 17 und XOff 19")}},
        {17, 19, false, true, {swallowed("XOn 17 und XOff 19")}},
        {5, 7, false, true, {}},
        {5, 7, true, false, {swallowed("XOn 5 und XOff 7")}},
        {0, 19, false, true, {unset(0, 19), swallowed("XOff 19")}},
        {17, 0, true, false, {unset(17, 0), swallowed("XOn 17")}},
        {0, 0, true, true, {unset(0, 0)}},  // 0 is no character to swallow
        {255, 255, false, false, {}},
    };
    for (const Case& c : cases) {
      Spin(d, kNames.xOnChar)->setValue(c.xOn);
      Spin(d, kNames.xOffChar)->setValue(c.xOff);
      Check(d, kNames.softwareTransmit)->setChecked(c.transmit);
      Check(d, kNames.softwareReceive)->setChecked(c.receive);
      QCOMPARE(Label(d, kNames.warnings)->text(), c.warnings.join(QLatin1Char('\n')));
      QCOMPARE(Label(d, kNames.warnings)->isHidden(), c.warnings.isEmpty());
    }
  }

  void okGivesTheChosenParameters() {
    ui::PortDialog d(data::PortParameters{}, kDevices);
    Choose(Box(d, kNames.port), QStringLiteral("2: /dev/ttyUSB0"));
    Choose(Box(d, kNames.baud), QStringLiteral("115200"));
    Choose(Box(d, kNames.parity), QStringLiteral("Mark"));
    Choose(Box(d, kNames.dataBits), QStringLiteral("5"));
    Choose(Box(d, kNames.stopBits), QStringLiteral("2"));
    Check(d, kNames.dtrDsr)->setChecked(true);
    Check(d, kNames.rtsCts)->setChecked(true);
    Check(d, kNames.softwareTransmit)->setChecked(true);
    Spin(d, kNames.xOnChar)->setValue(255);
    Spin(d, kNames.xOffChar)->setValue(256);  // beyond a byte: held at 255
    Click(d, kNames.okButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const data::PortParameters expected{.comNumber = 2, .baud = 115200, .parity = 3, .dataBits = 5, .stopBits = 2,
                                        .hwFlowOptions = 0x0F, .swFlowOptions = 2, .xOnChar = 255, .xOffChar = 255};
    QVERIFY(d.Parameters() == expected);
  }

  // Values the lists do not offer are shown and kept by an untouched OK;
  // Cancel changes nothing.
  void untouchedOkAndCancelKeepWhatTheListsDoNotOffer() {
    ui::PortDialog d(Unusual(), kDevices);
    QCOMPARE(Box(d, kNames.port)->currentText(), QStringLiteral("5: (nicht vorhanden)"));
    QCOMPARE(Box(d, kNames.baud)->currentText(), QStringLiteral("14400"));
    QVERIFY(Check(d, kNames.dtrDsr)->isChecked());
    QVERIFY(Check(d, kNames.softwareReceive)->isChecked() && !Check(d, kNames.softwareTransmit)->isChecked());
    Click(d, kNames.okButton);
    QVERIFY(d.Parameters() == Unusual());
    Choose(Box(d, kNames.baud), QStringLiteral("300"));
    Check(d, kNames.dtrDsr)->setChecked(false);
    Check(d, kNames.softwareTransmit)->setChecked(true);
    Spin(d, kNames.xOnChar)->setValue(0);
    Click(d, kNames.cancelButton);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(d.Parameters() == Unusual());
  }

  void aFlowBoxSetsAndClearsBothOfItsBits() {
    const data::PortParameters p{.hwFlowOptions = 0x01 | 0x08};  // DTR and CTS, each alone
    ui::PortDialog d(p, kDevices);
    Check(d, kNames.dtrDsr)->setChecked(false);
    Click(d, kNames.okButton);
    QCOMPARE(int(d.Parameters().hwFlowOptions), 0x08);  // CTS untouched
    ui::PortDialog e(p, kDevices);
    Check(e, kNames.rtsCts)->setChecked(false);
    Click(e, kNames.okButton);
    QCOMPARE(int(e.Parameters().hwFlowOptions), 0x01);
  }
};

QTEST_MAIN(PortDialogTest)
#include "port_dialog_test.moc"
