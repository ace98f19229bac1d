// The dialog "Werkzeugdaten": length and radius corrections of tools 1 to
// 99, edited in place in the tool table and saved to the tool
// file, and the picture of the current tool. Tool 0 is never shown.
#pragma once

#include <QDialog>

#include "data/data_directory.h"
#include "data/tool_table.h"

class QPushButton;

namespace ui {

class MaskTable;
class MaskTableModel;
class PictureButton;

class Twerkzeug : public QDialog {
  Q_OBJECT
 public:
  Twerkzeug(data::ToolTable& tools, data::DataFileLocation files, QWidget* parent = nullptr);

  // Before each showing: commits an edit left open, shows the table's
  // present values, hides the picture and makes tool 1 current.
  void FormShow();

  // The tool of the table's current row (1 after FormShow).
  int CurrentToolRow() const { return currentToolRow_; }

  // Components (objectName = the member's name).
  MaskTable* Tabelle = nullptr;
  QPushButton* SpeichernBtn = nullptr;
  QPushButton* AbbruchBtn = nullptr;
  QPushButton* InitialBtn = nullptr;
  QPushButton* ZeigenBtn = nullptr;
  PictureButton* Bild = nullptr;  // the tool picture, over the table

 private:
  void CreateComponents();
  void SpeichernBtnClick();
  void InitialBtnClick();
  void ZeigenBtnClick();

  data::ToolTable& tools_;
  data::DataFileLocation files_;
  MaskTableModel* model_ = nullptr;
  int currentToolRow_ = 1;
};

}  // namespace ui
