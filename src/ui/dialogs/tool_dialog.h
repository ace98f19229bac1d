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

class ToolDialog : public QDialog {
  Q_OBJECT
 public:
  ToolDialog(data::ToolTable& tools, data::DataFileLocation files, QWidget* parent = nullptr);

  // Before each showing: commits an edit left open, shows the table's
  // present values, hides the picture and makes tool 1 current.
  void PrepareToShow();

  // The tool of the table's current row (1 after PrepareToShow).
  int CurrentToolRow() const { return currentToolRow_; }

 private:
  void CreateComponents();
  void OnSave();
  void OnClear();
  void OnShowPicture();

  data::ToolTable& tools_;
  data::DataFileLocation files_;
  MaskTableModel* model_ = nullptr;
  int currentToolRow_ = 1;
  MaskTable* table_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  QPushButton* showPictureButton_ = nullptr;
  PictureButton* picture_ = nullptr;  // the tool picture, over the table
};

}  // namespace ui
