// The dialog "Nullpunktverschiebungen": the X, Y and Z shifts of the zero
// points G54 to G58, edited in place in the zero-point record
// and saved to the zero-point file. How many zero points can be edited
// depends on the controller type.
#pragma once

#include <QDialog>
#include <array>

#include "data/data_directory.h"
#include "data/zero_points.h"

class QLabel;
class QPushButton;

namespace ui {

// What "&Initialisir." asks before it clears the zero points (Yes, No).
inline constexpr char kClearWarning[] = "Alle Nullpunktverschiebungen G54 bis G58 werden auf NULL gesetzt.";
inline constexpr char kClearQuestion[] = "Wirklich initialisieren?";

class MaskTable;
class ZeroPointModel;

class ZeroPointDialog : public QDialog {
  Q_OBJECT
 public:
  ZeroPointDialog(data::ZeroPointRecord& record, data::DataFileLocation files, QWidget* parent = nullptr);

  // Before each showing: drops an edit left open, shows the record's
  // present values and as many zero points as the controller type allows.
  void PrepareToShow();

 private:
  void CreateComponents();
  void OnSave();
  void OnClear();
  void OnCancel();

  data::ZeroPointRecord& record_;
  data::DataFileLocation files_;
  ZeroPointModel* model_ = nullptr;
  std::array<QLabel*, data::kZeroPoints> rowLabels_{};  // G54 .. G58
  MaskTable* table_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

// Data rows (zero points) the table offers for a controller type, given the
// rows it offers now: none for 3 and 14, G54..G57 for all others except 13,
// which keeps what it has (all five at first).
int ZeroPointRowsFor(int controllerType, int currentRows);

}  // namespace ui
