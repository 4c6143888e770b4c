// The workspace list over a huge workspace: loads a file (by default 100 MiB of ">" lines, 52
// million empty records, written to a temporary folder), fills the main window's list box from
// it, scrolls to the end, selects every row and paints, timing each step and reporting the peak
// resident memory. Run under the offscreen platform:
//   QT_QPA_PLATFORM=offscreen bench_gui_list_huge [file]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchSupport.h"
#include "core/SequenceList.h"
#include "gui/SequenceListBox.h"
#include "gui/SequenceListViews.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  QString fileName = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  if (fileName.isEmpty()) {
    fileName = dir.filePath(QStringLiteral("empty_records.fas"));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    const QByteArray chunk = QByteArray(">\n").repeated(1 << 20);
    for (int i = 0; i < 50; ++i) file.write(chunk);
  }
  using duvanet::bench::peakMemoryMiB;
  std::printf("before loading: peak %ld MiB\n", peakMemoryMiB());

  tSequenceList list;
  QElapsedTimer timer;
  timer.start();
  list.LoadSequenceFiles({fileName});
  std::printf("load: %d records in %.2f s, peak %ld MiB\n", list.Count(), timer.elapsed() / 1e3,
              peakMemoryMiB());

  duvanet::gui::SequenceListBox box;
  box.resize(430, 230);
  box.show();
  timer.restart();
  FillListBox(list, box);
  box.setCurrentRow(0, QItemSelectionModel::NoUpdate);
  box.viewport()->grab();
  std::printf("fill and first paint: %.2f s, peak %ld MiB\n", timer.elapsed() / 1e3,
              peakMemoryMiB());
  timer.restart();
  box.setFocus();
  QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
  QCoreApplication::sendEvent(&box, &end);
  QKeyEvent all(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QStringLiteral("a"));
  QCoreApplication::sendEvent(&box, &all);
  box.viewport()->grab();
  std::printf("end, select all, paint: %.3f s, top row %d, peak %ld MiB\n", timer.elapsed() / 1e3,
              box.topRow(), peakMemoryMiB());
  return 0;
}
