#include <QTest>

#include "TestRegistry.h"
#include "core/DotPlotPreparation.h"
#include "engine/DotPlotEngine.h"

namespace duvanet::core {

using duvanet::core::PreparedDotPlot;

namespace {

tSequence seq(const QString& name, const QString& data) {
  tSequence s;
  s.Name = name;
  s.Data = data;
  return s;
}

PreparedDotPlot prepare(tDotPlotType type, const QString& h, const QString& v, int w,
                        tMatchEvaluation e = meHighest, bool caseInsensitive = true) {
  return core::prepareDotPlot(type, seq(QStringLiteral("Horizontal"), h),
                              seq(QStringLiteral("Vertical"), v), caseInsensitive, w, e);
}

}  // namespace

class TestDotPlotPreparation : public QObject {
  Q_OBJECT

 private slots:
  void caseInsensitiveIdentityUpperCasesTheData() {
    const auto p = core::prepareDotPlot(dptIdentity, seq(QStringLiteral("lower name"), "acgt"),
                                        seq(QStringLiteral("Upper"), "ACGT"), true, 4, meHighest);
    QCOMPARE(p.SeqHoriz.Data, QStringLiteral("ACGT"));
    QCOMPARE(p.SeqHoriz.Name, QStringLiteral("lower name"));
    QVERIFY(p.warnings.isEmpty());
    const auto result = engine::computeDotPlot(p.computeRequest());
    QVERIFY(result.isFilled());
    QCOMPARE(result.grid.cells(), (engine::CellRect{0, 0, 1, 1}));
    QCOMPARE(int{result.grid.at(0, 0)}, 4);

    const auto sensitive =
        core::prepareDotPlot(dptIdentity, seq("a", "acgt"), seq("b", "ACGT"), false, 4, meHighest);
    QCOMPARE(sensitive.SeqHoriz.Data, QStringLiteral("acgt"));
    QCOMPARE(int{engine::computeDotPlot(sensitive.computeRequest()).grid.at(0, 0)}, 0);
  }

  void upperCasingKeepsTheLength() {
    // ß has no single-unit upper case: it stays, so positions stay valid.
    const auto p = prepare(dptLiteralHoriz, QStringLiteral("straße"), QStringLiteral("xyz"), 2);
    QCOMPARE(p.SeqHoriz.Data.size(), 6);
    QCOMPARE(p.SeqHoriz.Data, QStringLiteral("STRAßE"));
    QCOMPARE(p.SeqHorizRev.Data, QStringLiteral("EßARTS"));
  }

  void dnaHorizWithAnUnknownSymbolWarnsOnce() {
    const auto p = prepare(dptDNAHoriz, QStringLiteral("ACGU"), QStringLiteral("ACGT"), 2);
    QCOMPARE(p.SeqHorizRev.Data, QStringLiteral("UCGT"));
    QCOMPARE(p.SeqHorizRev.Name, QStringLiteral("Horizontal"));
    QCOMPARE(p.warnings, QStringList{core::kIupacWarning});
    QVERIFY(p.SeqVertiRev.Data.isEmpty());
    const auto result = engine::computeDotPlot(p.computeRequest());
    QVERIFY(result.isFilled());
    QVERIFY(!core::dotPlotErrorApplies(p.PlotType, result));
  }

  void dnaBothBuildsBothStrandsDespiteAWarning() {
    const auto p = prepare(dptDNABoth, QStringLiteral("ACXGT"), QStringLiteral("GGATC"), 3);
    QCOMPARE(p.warnings, QStringList{core::kIupacWarning});
    QCOMPARE(p.SeqHorizRev.Data, QStringLiteral("ACXGT"));
    QCOMPARE(p.SeqVertiRev.Data, QStringLiteral("GATCC"));
    const auto result = engine::computeDotPlot(p.computeRequest());
    QVERIFY(result.isFilled());
    QCOMPARE(result.grid.binsX() * result.grid.binsY(), 9);
    // Both opposite strands bad: still one warning.
    const auto twice = prepare(dptDNABoth, QStringLiteral("AXA"), QStringLiteral("AUA"), 1);
    QCOMPARE(twice.warnings.size(), 1);
  }

  void caseInsensitiveLowerCaseDnaNeedsNoWarning() {
    const auto p = prepare(dptDNABoth, QStringLiteral("acgtn"), QStringLiteral("ggcc"), 2);
    QVERIFY(p.warnings.isEmpty());
    QCOMPARE(p.SeqHorizRev.Data, QStringLiteral("NACGT"));
  }

  // An empty sequence: first the strand's warning, then the error after the computation.
  void emptySequenceWarnsThenFails_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("emptyHoriz");
    QTest::addColumn<QString>("warning");
    QTest::newRow("literal horiz, empty horizontal")
        << int{dptLiteralHoriz} << true << core::kRevertedStrandWarning;
    QTest::newRow("literal verti, empty vertical")
        << int{dptLiteralVerti} << false << core::kRevertedStrandWarning;
    QTest::newRow("literal both, empty vertical")
        << int{dptLiteralBoth} << false << core::kRevertedStrandWarning;
    QTest::newRow("DNA horiz, empty horizontal") << int{dptDNAHoriz} << true << core::kIupacWarning;
    QTest::newRow("DNA both, empty horizontal") << int{dptDNABoth} << true << core::kIupacWarning;
    // The type does not revert the empty sequence: no warning, only the error.
    QTest::newRow("literal horiz, empty vertical") << int{dptLiteralHoriz} << false << QString();
    QTest::newRow("DNA verti, empty horizontal") << int{dptDNAVerti} << true << QString();
  }

  void emptySequenceWarnsThenFails() {
    QFETCH(int, type);
    QFETCH(bool, emptyHoriz);
    QFETCH(QString, warning);
    const auto t = static_cast<tDotPlotType>(type);
    const QString some = QStringLiteral("ACGTACGT");
    const auto p = prepare(t, emptyHoriz ? QString() : some, emptyHoriz ? some : QString(), 3);
    QCOMPARE(p.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    const auto result = engine::computeDotPlot(p.computeRequest());
    QVERIFY(!result.isFilled());
    QVERIFY(result.grid.isEmpty());
    QCOMPARE(core::dotPlotErrorMessages(t, result), QStringList{core::kDotPlotError});
    QCOMPARE(p.MaxScore, 3);
  }

  void identityShorterThanTheWindowSaysNothing() {
    const auto p = prepare(dptIdentity, QStringLiteral("ACG"), QStringLiteral("ACGTACGT"), 4);
    QVERIFY(p.warnings.isEmpty());
    const auto result = engine::computeDotPlot(p.computeRequest());
    QVERIFY(!result.isFilled());
    QVERIFY(result.grid.isEmpty());
    QVERIFY(core::dotPlotErrorMessages(dptIdentity, result).isEmpty());
  }

  void shorterThanTheWindowFailsForEveryOtherType() {
    for (const auto t :
         {dptDNAHoriz, dptDNAVerti, dptDNABoth, dptLiteralHoriz, dptLiteralVerti, dptLiteralBoth}) {
      const auto p = prepare(t, QStringLiteral("ACGTACGTACG"), QStringLiteral("ACGTACGTACGT"), 12);
      QVERIFY(p.warnings.isEmpty());
      const auto result = engine::computeDotPlot(p.computeRequest());
      QCOMPARE(core::dotPlotErrorMessages(t, result), QStringList{core::kDotPlotError});
    }
  }

  void cancelledIsNoError() {
    engine::DotPlotComputeResult cancelled;
    cancelled.status = engine::DotPlotStatus::Cancelled;
    QVERIFY(!core::dotPlotErrorApplies(dptDNABoth, cancelled));
  }

  void maxScoreByTable_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("expected");
    QTest::newRow("DNA verti summed") << int{dptDNAVerti} << int{meSummed} << 24;
    QTest::newRow("literal both summed") << int{dptLiteralBoth} << int{meSummed} << 36;
    QTest::newRow("identity summed") << int{dptIdentity} << int{meSummed} << 12;
    for (int t = 0; t <= 6; ++t) {
      QTest::addRow("type %d highest", t) << t << int{meHighest} << 12;
      QTest::addRow("type %d lowest", t) << t << int{meLowest} << 12;
    }
  }

  void maxScoreByTable() {
    QFETCH(int, type);
    QFETCH(int, evaluation);
    QFETCH(int, expected);
    const auto p = prepare(static_cast<tDotPlotType>(type), QStringLiteral("ACGT"),
                           QStringLiteral("ACGT"), 12, static_cast<tMatchEvaluation>(evaluation));
    QCOMPARE(p.MaxScore, expected);
    QCOMPARE(p.WindowSize, 12);
    QCOMPARE(int{p.PlotType}, type);
    QCOMPARE(int{p.Evaluation}, evaluation);
  }

  void unusedOppositeRecordsKeepOnlyTheNames() {
    const auto verti = prepare(dptDNAVerti, QStringLiteral("ACGT"), QStringLiteral("TTGA"), 2);
    QCOMPARE(verti.SeqHorizRev.Name, QStringLiteral("Horizontal"));
    QVERIFY(verti.SeqHorizRev.Data.isEmpty());
    QCOMPARE(verti.SeqVertiRev.Name, QStringLiteral("Vertical"));
    QCOMPARE(verti.SeqVertiRev.Data, QStringLiteral("TCAA"));
    const auto identity = prepare(dptIdentity, QStringLiteral("ACGT"), QStringLiteral("TTGA"), 2);
    QCOMPARE(identity.SeqHorizRev.Name, QStringLiteral("Horizontal"));
    QCOMPARE(identity.SeqVertiRev.Name, QStringLiteral("Vertical"));
    QVERIFY(identity.SeqHorizRev.Data.isEmpty());
    QVERIFY(identity.SeqVertiRev.Data.isEmpty());
  }

  // The developer's test plot: GUMMIBAUM against itself, literal both, window 2, case-sensitive.
  void testDotPlotOfTheMainWindow() {
    const auto p = core::prepareDotPlot(dptLiteralBoth, seq("Test Seq1a", "GUMMIBAUM"),
                                        seq("Test Seq2a", "GUMMIBAUM"), false, 2, meHighest);
    QVERIFY(p.warnings.isEmpty());
    QCOMPARE(p.SeqHorizRev.Data, QStringLiteral("MUABIMMUG"));
    QCOMPARE(p.MaxScore, 2);
    const auto result = engine::computeDotPlot(p.computeRequest());
    QVERIFY(result.isFilled());
    QCOMPARE(result.grid.binsX() * result.grid.binsY(), 64);
    for (int i = 0; i < 8; ++i) QCOMPARE(int{result.grid.at(i, i)}, 2);
  }

  void captionSuffixes() {
    QCOMPARE(core::dotPlotCaptionSuffix(dptIdentity), QStringLiteral(" - Identity dot plot."));
    QCOMPARE(core::dotPlotCaptionSuffix(dptDNAVerti),
             QStringLiteral(" - DNA dot plot, including reverse complement of vertical strand."));
    QCOMPARE(core::dotPlotCaptionSuffix(dptLiteralBoth),
             QStringLiteral(" - Literal dot plot, including reverse complement of both strands."));
  }
};

DUVANET_TEST(TestDotPlotPreparation)

}  // namespace duvanet::core

#include "tst_DotPlotPreparation.moc"
