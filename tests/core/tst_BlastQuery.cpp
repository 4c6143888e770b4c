#include <QRegularExpression>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include "TestRegistry.h"
#include "core/BlastQuery.h"

namespace duvanet::core {

namespace {

const QString kStartValuesAcgt = QStringLiteral(
    "https://blast.ncbi.nlm.nih.gov/BLAST/Blast.cgi"
    "?CMD=Web&LAYOUT=TwoWindows&AUTO_FORMAT=Semiauto&ALIGNMENTS=50&ALIGNMENT_VIEW=Tabular"
    "&CLIENT=web&DATABASE=nr&DESCRIPTIONS=100&QUERY=ACGT&EXPECT=10&FILTER=L"
    "&FORMAT_OBJECT=Alignment&FORMAT_TYPE=HTML&NCBI_GI=on&PAGE=MegaBlast&SERVICE=plain"
    "&SET_DEFAULTS.x=34&SET_DEFAULTS.y=8&SHOW_OVERVIEW=on&END_OF_HTTPGET=Yes&SHOW_LINKOUT=yes"
    "&GET_SEQUENCE=yes&PERC_IDENT=None,1,-2");

QStringList keysInOrder(const QString& url) {
  QStringList keys;
  const QUrlQuery query(QUrl(url).query(QUrl::FullyEncoded));
  for (const auto& item : query.queryItems(QUrl::FullyEncoded)) keys << item.first;
  return keys;
}

// The name and value of every input of a form page, with the page's escapes decoded.
QList<QPair<QString, QString>> formInputs(const QString& page) {
  static const QRegularExpression input(
      QStringLiteral("<input type=\"hidden\" name=\"([^\"]*)\" value=\"([^\"]*)\">"));
  const auto decode = [](QString text) {
    text.replace(QStringLiteral("&#13;"), QStringLiteral("\r"))
        .replace(QStringLiteral("&#10;"), QStringLiteral("\n"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
  };
  QList<QPair<QString, QString>> inputs;
  for (auto match = input.globalMatch(page); match.hasNext();) {
    const auto m = match.next();
    inputs.append({decode(m.captured(1)), decode(m.captured(2))});
  }
  return inputs;
}

}  // namespace

class TestBlastQuery : public QObject {
  Q_OBJECT

 private slots:
  void startValuesGiveTheFixedUrl() {
    QCOMPARE(blastQueryUrl(BlastQueryOptions{}, QStringLiteral("ACGT")), kStartValuesAcgt);
  }

  void changedOptionsChangeOnlyTheirKeys() {
    BlastQueryOptions options;
    options.alignments = 250;
    options.alignmentView = QStringLiteral("Pairwise");
    options.database = QStringLiteral("swissprot");
    options.page = QStringLiteral("Proteins");
    const QString url = blastQueryUrl(options, QStringLiteral("ACGT"));
    QString expected = kStartValuesAcgt;
    expected.replace(QStringLiteral("ALIGNMENTS=50"), QStringLiteral("ALIGNMENTS=250"))
        .replace(QStringLiteral("VIEW=Tabular"), QStringLiteral("VIEW=Pairwise"))
        .replace(QStringLiteral("DATABASE=nr"), QStringLiteral("DATABASE=swissprot"))
        .replace(QStringLiteral("PAGE=MegaBlast"), QStringLiteral("PAGE=Proteins"));
    QCOMPARE(url, expected);
    QCOMPARE(keysInOrder(url), keysInOrder(kStartValuesAcgt));
    QCOMPARE(keysInOrder(url).size(), 23);
  }

  void queryValueIsEscaped_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("lower case and gaps stay") << "acg-t.N*"
                                              << "acg-t.N*";
    QTest::newRow("line breaks") << "AC\r\nGT\n"
                                 << "AC%0D%0AGT%0A";
    QTest::newRow("blank and tab") << "AC GT\t"
                                   << "AC%20GT%09";
    QTest::newRow("key injection") << "A&DATABASE=x#y"
                                   << "A%26DATABASE%3Dx%23y";
    QTest::newRow("percent and plus") << "50%+1"
                                      << "50%25%2B1";
    QTest::newRow("non-ASCII as UTF-8") << QString::fromUtf8("Aä") << "A%C3%A4";
    QTest::newRow("empty") << ""
                           << "";
  }
  void queryValueIsEscaped() {
    QFETCH(QString, data);
    QFETCH(QString, encoded);
    QCOMPARE(percentEncodeQueryValue(data), encoded);
    const QString url = blastQueryUrl(BlastQueryOptions{}, data);
    QVERIFY(url.contains(QStringLiteral("&QUERY=") + encoded + QStringLiteral("&EXPECT=10")));
    // The data comes back intact from the query, and no key was added or lost.
    const QUrlQuery query(QUrl(url, QUrl::StrictMode).query(QUrl::FullyEncoded));
    QCOMPARE(query.queryItemValue(QStringLiteral("QUERY"), QUrl::FullyDecoded), data);
    QCOMPARE(keysInOrder(url), keysInOrder(kStartValuesAcgt));
  }

  // The fields are the URL's keys and values: the same 23 keys in the same order.
  void fieldsAreTheUrlKeys() {
    BlastQueryOptions options;
    options.alignments = 7;
    options.page = QStringLiteral("Proteins");
    const auto fields = blastQueryFields(options, QStringLiteral("AC GT"));
    QStringList keys;
    for (const BlastQueryField& field : fields) keys << field.key;
    QCOMPARE(keys, keysInOrder(kStartValuesAcgt));
    QCOMPARE(fields.at(3).value, QStringLiteral("7"));
    QCOMPARE(fields.at(8).value, QStringLiteral("AC GT"));
    QCOMPARE(fields.at(14).value, QStringLiteral("Proteins"));
    QCOMPARE(blastServiceAddress() + QStringLiteral("?CMD=Web"), kStartValuesAcgt.left(54));
  }

  // The form page posts every key with its value exactly as the data holds it, whatever
  // characters would end an HTML attribute or be changed by the page's line-break handling.
  void formPagePostsTheSameFields_data() {
    QTest::addColumn<QString>("data");
    QTest::newRow("plain") << "ACGT";
    QTest::newRow("markup") << "<b>\"A&amp;C\"</b>'";
    QTest::newRow("mixed line breaks") << "AC\r\nGT\nTT\rGG";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Aä€");
    QTest::newRow("long") << QString(20000, QLatin1Char('A')) + QStringLiteral("C");
    QTest::newRow("empty") << "";
  }
  void formPagePostsTheSameFields() {
    QFETCH(QString, data);
    BlastQueryOptions options;
    options.database = QStringLiteral("swissprot");
    const QString page = QString::fromUtf8(blastFormPage(options, data));
    QVERIFY(page.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(
        page.contains(QStringLiteral("<form method=\"post\" accept-charset=\"utf-8\" action=\"") +
                      blastServiceAddress() + QStringLiteral("\">")));
    QVERIFY(page.contains(QStringLiteral("onload=\"document.forms[0].submit()\"")));
    QList<QPair<QString, QString>> expected;
    for (const BlastQueryField& field : blastQueryFields(options, data))
      expected.append({field.key, field.value});
    QCOMPARE(formInputs(page), expected);
    // No raw line break inside a value.
    QVERIFY(!page.contains(QStringLiteral("\r")));
  }
};

DUVANET_TEST(TestBlastQuery)

}  // namespace duvanet::core

#include "tst_BlastQuery.moc"
