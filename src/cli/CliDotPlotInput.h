#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "cli/CliSupport.h"
#include "core/DotPlotPreparation.h"
#include "engine/DotPlotTypes.h"

namespace duvanet::cli {

/// What the dot plot commands read and compute: two files, a record of each, the plot type,
/// the evaluation, the window, case handling and the worker threads.
struct DotPlotOptions {
  QString horizontalFile;
  QString verticalFile;
  int horizontalIndex = 0;
  int verticalIndex = 0;
  tDotPlotType plotType = dptDNAHoriz;
  tMatchEvaluation evaluation = meHighest;
  int windowSize = 12;
  bool caseSensitive = false;
  /// 0: every core.
  int threads = 0;

  /// The highest count a cell of this plot can hold.
  int maxScore() const;
};

/// The value options and flags of DotPlotOptions, for a command's ArgumentParser; a command adds
/// its own to these lists.
QStringList dotPlotValueOptions();
QStringList dotPlotFlagOptions();

/// The help lines of the shared options, for a command's --help.
extern const char* const kDotPlotOptionsHelp;

/// Requires exactly two file names (HFILE VFILE); throws UsageError otherwise. parseDotPlotOptions
/// checks this too; a command calls it first to report missing files before its own options.
void requireTwoFiles(const ArgumentParser& parser);

/// Reads and checks the shared options; throws UsageError naming the first wrong one.
DotPlotOptions parseDotPlotOptions(const ArgumentParser& parser);

/// Reads both records, prepares the strands and prints the preparation's warnings. Prints an
/// error and returns nothing when a file cannot be read, a record is missing, or a sequence is
/// shorter than the window (for every type, identity included): the command then exits with
/// kExitFailure.
std::optional<core::PreparedDotPlot> loadDotPlot(const DotPlotOptions& options);

/// The request for the whole plot of a loaded dot plot, with the options' thread count.
engine::DotPlotComputeRequest dotPlotRequest(const core::PreparedDotPlot& plot,
                                             const DotPlotOptions& options);

/// Prints one line to standard error.
void printError(const QString& text);

}  // namespace duvanet::cli
