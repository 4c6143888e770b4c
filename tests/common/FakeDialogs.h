#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "chart/FileDialogs.h"
#include "chart/FontDialogs.h"

// Answers the open and save dialogs with prepared names and records what they were shown with;
// the answers run out into "cancelled".
class FakeFileDialogs : public duvanet::chart::FileDialogs {
 public:
  QStringList openFiles(QWidget*, const QString&) override {
    ++openCalls;
    return filesToOpen;
  }
  std::optional<QString> saveFile(QWidget*, const QString&, const QString& proposed) override {
    proposedNames << proposed;
    if (saveAnswers.empty()) return std::nullopt;
    const std::optional<QString> answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }

  std::optional<SaveChoice> saveFileAs(QWidget*, const QString& caption, const QString& filters,
                                       const QString& selectedFilter) override {
    saveAsCaptions << caption;
    offeredFilters << filters;
    offeredSelections << selectedFilter;
    if (saveAsAnswers.empty()) return std::nullopt;
    const std::optional<SaveChoice> answer = saveAsAnswers.front();
    saveAsAnswers.pop_front();
    return answer;
  }

  int openCalls = 0;
  QStringList filesToOpen;
  QStringList proposedNames;
  std::deque<std::optional<QString>> saveAnswers;
  QStringList saveAsCaptions;
  QStringList offeredFilters;
  QStringList offeredSelections;
  std::deque<std::optional<SaveChoice>> saveAsAnswers;
};

// Answers the font dialog with prepared fonts and records the fonts it started from.
class FakeFontDialogs : public duvanet::chart::FontDialogs {
 public:
  std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override {
    initialFonts << initial;
    if (answers.empty()) return std::nullopt;
    const std::optional<QFont> answer = answers.front();
    answers.pop_front();
    return answer;
  }

  QList<QFont> initialFonts;
  std::deque<std::optional<QFont>> answers;
};
