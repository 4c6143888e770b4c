#include "core/BlastQuery.h"

#include <QByteArray>

namespace duvanet::core {

QString percentEncodeQueryValue(const QString& value) {
  // Escaping keeps line breaks, blanks, "&", "#", "%" and "+" in the data from ending the value
  // or starting another key; plain nucleotide and amino-acid letters pass unchanged.
  return QString::fromLatin1(value.toUtf8().toPercentEncoding("*"));
}

QString blastQueryUrl(const BlastQueryOptions& options, const QString& sequenceData) {
  QString url = QString::fromLatin1(kBlastBaseAddress);
  url += QStringLiteral("/BLAST/Blast.cgi");
  url += QStringLiteral("?CMD=Web&LAYOUT=TwoWindows&AUTO_FORMAT=Semiauto");
  url += QStringLiteral("&ALIGNMENTS=") + QString::number(options.alignments);
  url += QStringLiteral("&ALIGNMENT_VIEW=") + options.alignmentView;
  url += QStringLiteral("&CLIENT=web");
  url += QStringLiteral("&DATABASE=") + options.database;
  url += QStringLiteral("&DESCRIPTIONS=100");
  url += QStringLiteral("&QUERY=") + percentEncodeQueryValue(sequenceData);
  url += QStringLiteral("&EXPECT=10&FILTER=L&FORMAT_OBJECT=Alignment&FORMAT_TYPE=HTML&NCBI_GI=on");
  url += QStringLiteral("&PAGE=") + options.page;
  url += QStringLiteral(
      "&SERVICE=plain&SET_DEFAULTS.x=34&SET_DEFAULTS.y=8&SHOW_OVERVIEW=on&END_OF_HTTPGET=Yes"
      "&SHOW_LINKOUT=yes&GET_SEQUENCE=yes&PERC_IDENT=None,1,-2");
  return url;
}

}  // namespace duvanet::core
