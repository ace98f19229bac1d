// The dialog "Abmessungen": the work-area size in X and Y and the Z zero
// offset of the settings record, edited in place in a one-column table of
// "####.###" cells. OK keeps what was typed, Cancel drops the edit in
// progress (values committed before stay).
#pragma once

#include <QDialog>

#include "data/settings.h"

class QPushButton;

namespace ui {

class MaskTable;
class DimensionsModel;

class DimensionsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit DimensionsDialog(data::Settings& settings, QWidget* parent = nullptr);

  // Before each showing: commits an edit left open and shows the record's
  // present values.
  void PrepareToShow();
  // Closing by the title bar or Escape counts as Cancel.
  void reject() override;

 private:
  void CreateComponents();
  void OnOk();

  data::Settings& settings_;
  DimensionsModel* model_ = nullptr;
  MaskTable* table_ = nullptr;  // row 0 work area X, 1 work area Y, 2 Z zero offset
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace ui
