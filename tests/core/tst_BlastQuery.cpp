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
};

DUVANET_TEST(TestBlastQuery)

}  // namespace duvanet::core

#include "tst_BlastQuery.moc"
