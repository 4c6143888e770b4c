#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <optional>

#include "FakeDialogs.h"
#include "gui/Ports.h"

namespace duvanet::testing {

// Records every message box and answers questions from a script (Yes when the script is empty).
class FakePrompts : public duvanet::gui::UserPrompts {
 public:
  struct Shown {
    QString type;  // "warning", "question", "error"
    QString text;
    Kind kind = Kind::Warning;
    bool defaultYes = false;
    QString details;
  };

  void warning(QWidget*, const QString& text) override {
    shown.push_back({"warning", text, Kind::Warning, false, {}});
  }
  void warningWithDetails(QWidget*, const QString& text, const QString& details) override {
    shown.push_back({"warning", text, Kind::Warning, false, details});
  }
  bool question(QWidget*, Kind kind, const QString& text, bool defaultYes) override {
    shown.push_back({"question", text, kind, defaultYes, {}});
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void error(QWidget*, const QString& text) override {
    shown.push_back({"error", text, Kind::Warning, false, {}});
  }

  QStringList texts() const {
    QStringList result;
    for (const Shown& s : shown) result << s.type + ": " + s.text;
    return result;
  }

  std::deque<bool> answers;
  QList<Shown> shown;
};

class FakeBrowser : public duvanet::gui::BrowserLauncher {
 public:
  bool openUrl(const QUrl& url) override {
    opened << url;
    return true;
  }
  QList<QUrl> opened;
};

struct FakePorts {
  FakePrompts prompts;
  FakeFileDialogs fileDialogs;
  FakeBrowser browser;
  FakeFontDialogs fontDialogs;
  duvanet::gui::UiPorts ports() {
    return duvanet::gui::UiPorts{&prompts, &fileDialogs, &browser, &fontDialogs};
  }
};

}  // namespace duvanet::testing
