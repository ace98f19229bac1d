// The port dialog "Com Port Options": what it offers, the device it says is
// used, its warnings about XOn/XOff, the parameters it gives back on OK,
// and that Cancel (or an untouched OK) changes nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "ui/dialogs/port_dialog.h"

namespace {

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
    QCOMPARE(Items(d.Port), (QStringList{"1: /dev/ttyS0", "2: /dev/ttyUSB0"}));
    QCOMPARE(Items(d.Parity), (QStringList{"None", "Odd", "Even", "Mark", "Space"}));
    QCOMPARE(Items(d.DataBits), (QStringList{"8", "7", "6", "5"}));
    QCOMPARE(d.Baud->currentText(), QStringLiteral("9600"));
  }

  // The device a transfer goes to follows the port chosen, unless RUR_PORT
  // names one.
  void saysWhichDeviceIsUsed() {
    ui::PortDialog d(data::PortParameters{}, kDevices);
    QCOMPARE(d.Device->text(), QStringLiteral("Verwendet wird /dev/ttyS0."));
    Choose(d.Port, QStringLiteral("2: /dev/ttyUSB0"));
    QCOMPARE(d.Device->text(), QStringLiteral("Verwendet wird /dev/ttyUSB0."));
    ui::PortDialog missing(Unusual(), kDevices);
    QCOMPARE(missing.Device->text(), QStringLiteral("Port 5 ist nicht vorhanden."));
    ui::PortDialog named(data::PortParameters{}, kDevices, QStringLiteral("/dev/pts/7"));
    Choose(named.Port, QStringLiteral("2: /dev/ttyUSB0"));
    QCOMPARE(named.Device->text(),
             QStringLiteral("Verwendet wird /dev/pts/7 (RUR_PORT), gleich welcher Port gew\u00e4hlt ist."));
  }

  // XOn/XOff not set, and software flow control swallowing them (in the
  // window in either direction with the device's 17 and 19; in rur-cli
  // when transmitting, with any characters but 0).
  void warnsAboutTheReplyCharactersAsTheyAreChanged() {
    ui::PortDialog d(data::PortParameters{.xOnChar = 17, .xOffChar = 19}, kDevices);
    QVERIFY(d.Warnings->text().isEmpty() && d.Warnings->isHidden());
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
      d.XOnChar->setValue(c.xOn);
      d.XOffChar->setValue(c.xOff);
      d.SoftwareTransmit->setChecked(c.transmit);
      d.SoftwareReceive->setChecked(c.receive);
      QCOMPARE(d.Warnings->text(), c.warnings.join(QLatin1Char('\n')));
      QCOMPARE(d.Warnings->isHidden(), c.warnings.isEmpty());
    }
  }

  void okGivesTheChosenParameters() {
    ui::PortDialog d(data::PortParameters{}, kDevices);
    Choose(d.Port, QStringLiteral("2: /dev/ttyUSB0"));
    Choose(d.Baud, QStringLiteral("115200"));
    Choose(d.Parity, QStringLiteral("Mark"));
    Choose(d.DataBits, QStringLiteral("5"));
    Choose(d.StopBits, QStringLiteral("2"));
    d.DtrDsr->setChecked(true);
    d.RtsCts->setChecked(true);
    d.SoftwareTransmit->setChecked(true);
    d.XOnChar->setValue(255);
    d.XOffChar->setValue(256);  // beyond a byte: held at 255
    d.OKBtn->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const data::PortParameters expected{.comNumber = 2, .baud = 115200, .parity = 3, .dataBits = 5, .stopBits = 2,
                                        .hwFlowOptions = 0x0F, .swFlowOptions = 2, .xOnChar = 255, .xOffChar = 255};
    QVERIFY(d.Parameters() == expected);
  }

  void cancelChangesNothing() {
    ui::PortDialog d(Unusual(), kDevices);
    Choose(d.Baud, QStringLiteral("300"));
    d.DtrDsr->setChecked(false);
    d.SoftwareTransmit->setChecked(true);
    d.XOnChar->setValue(0);
    d.CancelBtn->click();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(d.Parameters() == Unusual());
  }

  void untouchedOkKeepsWhatTheListsDoNotOffer() {
    ui::PortDialog d(Unusual(), kDevices);
    QCOMPARE(d.Port->currentText(), QStringLiteral("5: (nicht vorhanden)"));
    QCOMPARE(d.Baud->currentText(), QStringLiteral("14400"));
    QVERIFY(d.DtrDsr->isChecked());
    QVERIFY(d.SoftwareReceive->isChecked() && !d.SoftwareTransmit->isChecked());
    d.OKBtn->click();
    QVERIFY(d.Parameters() == Unusual());
  }

  void aFlowBoxSetsAndClearsBothOfItsBits() {
    const data::PortParameters p{.hwFlowOptions = 0x01 | 0x08};  // DTR and CTS, each alone
    ui::PortDialog d(p, kDevices);
    d.DtrDsr->setChecked(false);
    d.OKBtn->click();
    QCOMPARE(int(d.Parameters().hwFlowOptions), 0x08);  // CTS untouched
    ui::PortDialog e(p, kDevices);
    e.RtsCts->setChecked(false);
    e.OKBtn->click();
    QCOMPARE(int(e.Parameters().hwFlowOptions), 0x01);
  }
};

QTEST_MAIN(PortDialogTest)
#include "port_dialog_test.moc"
