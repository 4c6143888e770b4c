#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <type_traits>

namespace duvanet::testing {

// The control a window names `name` (its object name), found among all the window's children.
// `window` is the window itself or anything that points to it. A missing control ends the test
// run with its name, so a renamed control never turns into a null pointer in a test.
template <typename T, typename Window>
T* control(const Window& window, const char* name) {
  const QObject* parent = nullptr;
  if constexpr (std::is_base_of_v<QObject, Window>) {
    parent = &window;
  } else {
    parent = &*window;
  }
  T* found = parent->template findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr)
    qFatal("%s has no %s named %s", qPrintable(parent->objectName()),
           T::staticMetaObject.className(), name);
  return found;
}

}  // namespace duvanet::testing
