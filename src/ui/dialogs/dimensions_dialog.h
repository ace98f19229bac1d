// The dialog "Abmessungen": the work-area size in X and Y and the Z zero
// offset of the settings record, edited in place in a one-column table of
// "####.###" cells. OK keeps what was typed, Cancel drops the edit in
// progress (values committed before stay).
#pragma once

#include <QDialog>
#include <array>

#include "data/settings.h"

class QLabel;
class QPushButton;

namespace ui {

class MaskTable;
class DimensionsModel;

class TForm5 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm5(data::Settings& settings, QWidget* parent = nullptr);

  // On each activation: commits an edit left open and shows the record's
  // present values.
  void FormActivate();
  // Closing by the title bar or Escape counts as Cancel.
  void reject() override;

  // Components (objectName = the member's name).
  std::array<QLabel*, 3> Labels{};  // Label1..Label3
  MaskTable* Tabelle = nullptr;     // row 0 WorkAreaX, 1 WorkAreaY, 2 ZZeroOffset
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 private:
  void CreateComponents();
  void OKBtnClick();
  void CancelBtnClick();

  data::Settings& settings_;
  DimensionsModel* model_ = nullptr;
};

}  // namespace ui
