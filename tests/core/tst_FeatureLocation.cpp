#include <QTest>

#include "TestRegistry.h"
#include "core/SequenceFeature.h"

using namespace duvanet::core;

Q_DECLARE_METATYPE(FeatureLocation)

namespace {

FeatureLocationPart part(qint64 start, qint64 end, bool reverse = false) {
  FeatureLocationPart p;
  p.start = start;
  p.end = end;
  p.reverse = reverse;
  return p;
}

FeatureLocationPart partial(FeatureLocationPart p, bool startPartial, bool endPartial) {
  p.startPartial = startPartial;
  p.endPartial = endPartial;
  return p;
}

FeatureLocation location(LocationOperator kind, std::vector<FeatureLocationPart> parts) {
  return FeatureLocation{kind, std::move(parts)};
}

QString describe(const FeatureLocation& location) {
  QString text = QString::number(int(location.kind)) + u':';
  for (const FeatureLocationPart& p : location.parts)
    text += QStringLiteral(" %1%2%3%4%5%6%7")
                .arg(p.reverse ? "-" : "+")
                .arg(p.startPartial ? "<" : "")
                .arg(p.start)
                .arg(p.betweenBases    ? "^"
                     : p.oneBaseWithin ? "."
                                       : "..")
                .arg(p.endPartial ? ">" : "")
                .arg(p.end)
                .arg("");
  return text;
}

}  // namespace

class TestFeatureLocation : public QObject {
  Q_OBJECT

 private slots:
  void parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<FeatureLocation>("expected");
    const auto single = LocationOperator::Single;
    const auto join = LocationOperator::Join;
    const auto order = LocationOperator::Order;
    QTest::newRow("single base") << "467" << location(single, {part(467, 467)});
    QTest::newRow("range") << "340..565" << location(single, {part(340, 565)});
    QTest::newRow("partial start")
        << "<345..500" << location(single, {partial(part(345, 500), true, false)});
    QTest::newRow("partial both") << "<1..>888"
                                  << location(single, {partial(part(1, 888), true, true)});
    QTest::newRow("partial end") << "1..>888"
                                 << location(single, {partial(part(1, 888), false, true)});
    FeatureLocationPart site = part(123, 124);
    site.betweenBases = true;
    QTest::newRow("between bases") << "123^124" << location(single, {site});
    FeatureLocationPart origin = part(0, 1);
    origin.start = 5028;
    origin.betweenBases = true;
    QTest::newRow("between the last and the first base") << "5028^1" << location(single, {origin});
    FeatureLocationPart within = part(102, 110);
    within.oneBaseWithin = true;
    QTest::newRow("one base within a range") << "102.110" << location(single, {within});
    QTest::newRow("complement") << "complement(34..126)" << location(single, {part(34, 126, true)});
    QTest::newRow("join") << "join(12..78,134..202)"
                          << location(join, {part(12, 78), part(134, 202)});
    QTest::newRow("complement of a join runs backwards")
        << "complement(join(2691..4571,4918..5163))"
        << location(join, {part(4918, 5163, true), part(2691, 4571, true)});
    QTest::newRow("join of complements keeps its order")
        << "join(complement(4918..5163),complement(2691..4571))"
        << location(join, {part(4918, 5163, true), part(2691, 4571, true)});
    QTest::newRow("order") << "order(1..5,8..10)" << location(order, {part(1, 5), part(8, 10)});
    QTest::newRow("bond is an order")
        << "bond(30,95)" << location(order, {part(30, 30), part(95, 95)});
    QTest::newRow("order inside a join") << "join(1..5,order(8..9,12..13))"
                                         << location(order, {part(1, 5), part(8, 9), part(12, 13)});
    QTest::newRow("part in another record skipped")
        << "join(1..10,J00194.1:100..202,300..310)"
        << location(join, {part(1, 10), part(300, 310)});
    QTest::newRow("complement part in another record skipped")
        << "join(complement(AF0123_4.2:5..20),40..50)" << location(join, {part(40, 50)});
    QTest::newRow("only other records") << "J00194.1:100..202" << location(single, {});
    QTest::newRow("blanks from line breaks")
        << "join(1..5,\n 8..10 )" << location(join, {part(1, 5), part(8, 10)});
    QTest::newRow("partial inside a complement")
        << "complement(<1..20)" << location(single, {partial(part(1, 20, true), true, false)});
    QTest::newRow("partial single base")
        << "<5" << location(single, {partial(part(5, 5), true, false)});
    QTest::newRow("mixed strands")
        << "join(1..4,complement(10..12))" << location(join, {part(1, 4), part(10, 12, true)});
  }

  void parse() {
    QFETCH(QString, text);
    QFETCH(FeatureLocation, expected);
    const std::optional<FeatureLocation> parsed = parseFeatureLocation(text);
    QVERIFY(parsed);
    QCOMPARE(describe(*parsed), describe(expected));
    QVERIFY(parsed->parts == expected.parts);
  }

  void unreadable_data() {
    QTest::addColumn<QString>("text");
    for (const char* text :
         {"", "   ", "abc", "1..", "..5", "0..5", "5..3", "join(1..5", "join(1..5))",
          "complement(1..5", "join()", "join(1..5,)", "1..5,6..7", "one-of(1,2)", "1^", "<",
          "99999999999999999999..1", "complement((1..5))", "1...5"})
      QTest::newRow(text) << QString::fromLatin1(text);
    QString deep;
    for (int i = 0; i < 100; ++i) deep += "complement(";
    deep += "1..2";
    for (int i = 0; i < 100; ++i) deep += ")";
    QTest::newRow("nested too deep") << deep;
  }

  void unreadable() {
    QFETCH(QString, text);
    QVERIFY(!parseFeatureLocation(text));
  }

  void qualifierLookup() {
    SequenceFeature feature;
    feature.qualifiers = {{"gene", "abc", true}, {"pseudo", "", false}, {"gene", "second", true}};
    QCOMPARE(feature.qualifier(u"gene"), std::optional<QString>("abc"));
    QCOMPARE(feature.qualifier(u"pseudo"), std::optional<QString>(""));
    QVERIFY(!feature.qualifier(u"note"));
  }
};

DUVANET_TEST(TestFeatureLocation)
#include "tst_FeatureLocation.moc"
