#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace duvanet::testing {

// Runs handle on the next modal window that opens (within a few seconds), so a test can drive a
// dialog that the code under test shows with exec(). handle must close the dialog.
inline void onNextModal(std::function<void(QWidget*)> handle) {
  auto timer = std::make_shared<QElapsedTimer>();
  timer->start();
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [handle, timer, poll]() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      handle(modal);
      *poll = nullptr;
      return;
    }
    if (timer->elapsed() > 5000) {
      *poll = nullptr;
      return;
    }
    QTimer::singleShot(10, [poll]() {
      if (*poll) (*poll)();
    });
  };
  QTimer::singleShot(0, [poll]() {
    if (*poll) (*poll)();
  });
}

}  // namespace duvanet::testing
