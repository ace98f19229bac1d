// Finds a window's components by their names (ui/component_names.h), as
// tests and readers of the component list know them.
#pragma once

#include <QObject>
#include <QWidget>
#include <QtGlobal>

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

}  // namespace testing_support
