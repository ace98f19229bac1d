// The send command of the main window: the radius compensation, then the
// block text of every block, drawn in red on the picture and cut into
// frames. The serial line is not connected yet: the command stops once the
// frames are built and says so in the status line.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "main_window.h"
#include "ui/nc_editor.h"
#include "ui/picture_button.h"
#include "workstation/send_command.h"

namespace app {

void MainWindow::sendenClick() {
  const bool compensated = rur::CompensateForSending(ws_);
  SetEnabled({Image2, laden, neues, speichern, nullpunkt, Schnittstelle, Werkzeugtaste, senden, simuliere}, false);
  SetEnabled({abbruch, showeditor}, true);
  // The modified mark stays: the program sent is not the file saved, and
  // clearing the mark would let unsaved edits go without the save question.
  ws_.messages.errorFlag = 0;
  rur::PrepareSentPicture(ws_);
  // A compensation that showed a message sends nothing.
  if (compensated) SendProgram();
  SetEnabled({Image2, laden, neues, speichern, nullpunkt, Schnittstelle, Werkzeugtaste, simuliere}, true);
  ws_.phase = data::RunPhase::kIdle;
  OvcMeter1->setValue(OvcMeter1->maximum());
  ShowPicture();
}

void MainWindow::SendProgram() {
  OvcMeter1->setValue(0);
  transfer::FrameSource frames = rur::SentFrames(ws_, true);
  transfer::Frame frame;
  int frameCount = 0;
  const int blocks = frames.blockCount();
  while (frames.Next(frame)) {
    ++frameCount;
    if (blocks > 0) OvcMeter1->setValue(static_cast<int>(100LL * frames.blocksDone() / blocks));
  }
  meldung->setText(QStringLiteral("Sendedaten erstellt: %1 S\u00e4tze in %2 Rahmen (keine Schnittstelle angeschlossen)")
                       .arg(blocks)
                       .arg(frameCount));
}

}  // namespace app
