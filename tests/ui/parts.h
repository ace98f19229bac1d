// Finds a window's components by their names (ui/component_names.h), as
// tests and readers of the component list know them, and works the cells
// of a mask table as the operator does.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QTest>
#include <QWidget>
#include <QtGlobal>

#include "ui/dialogs/mask_table.h"

namespace testing_support {

// The component of `window` named `name`: searched among the window's own
// objects, not inside the separate windows it owns (a dialog is found by
// its own name, its parts through it). A missing one ends the test run.
template <typename T>
T& Part(QObject& window, const char* name) {
  struct Search {
    static T* In(QObject& object, const char* name) {
      for (QObject* child : object.children()) {
        if (child->objectName() == QLatin1String(name)) {
          if (T* found = qobject_cast<T*>(child)) return found;
        }
        const auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget->isWindow()) continue;
        if (T* found = In(*child, name)) return found;
      }
      return nullptr;
    }
  };
  T* found = Search::In(window, name);
  if (found == nullptr) qFatal("no component %s in %s", name, qPrintable(window.objectName()));
  return *found;
}

// Makes a cell of a mask table current and opens its editor, as a click on
// it does; types over what it shows (Enter commits); the text it shows.
inline QLineEdit* OpenCell(ui::MaskTable& table, int row, int column) {
  const QModelIndex index = table.model()->index(row, column);
  table.setCurrentIndex(index);
  if (table.Editor() == nullptr) table.edit(index);
  return table.Editor();
}
inline void TypeIntoCell(ui::MaskTable& table, int row, int column, const QString& text, bool enter = true) {
  QLineEdit* editor = OpenCell(table, row, column);
  QVERIFY(editor != nullptr);
  QTest::keyClicks(editor, text);
  if (enter) QTest::keyClick(editor, Qt::Key_Return);
}
inline QString CellText(ui::MaskTable& table, int row, int column) {
  return table.model()->index(row, column).data().toString();
}

}  // namespace testing_support
