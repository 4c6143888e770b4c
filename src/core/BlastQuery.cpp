#include "core/BlastQuery.h"

#include <QByteArray>

namespace duvanet::core {

namespace {

// Escapes a value for an HTML attribute; line breaks are written as character references so
// that the parser's line-break normalising cannot change the data.
QString attributeValue(const QString& value) {
  QString escaped = value.toHtmlEscaped();
  escaped.replace(QLatin1Char('\r'), QStringLiteral("&#13;"));
  escaped.replace(QLatin1Char('\n'), QStringLiteral("&#10;"));
  return escaped;
}

}  // namespace

QString blastServiceAddress() {
  return QString::fromLatin1(kBlastBaseAddress) + QStringLiteral("/BLAST/Blast.cgi");
}

QString percentEncodeQueryValue(const QString& value) {
  // Escaping keeps line breaks, blanks, "&", "#", "%" and "+" in the data from ending the value
  // or starting another key; plain nucleotide and amino-acid letters pass unchanged.
  return QString::fromLatin1(value.toUtf8().toPercentEncoding("*"));
}

QList<BlastQueryField> blastQueryFields(const BlastQueryOptions& options,
                                        const QString& sequenceData) {
  const auto field = [](const char* key, const QString& value) {
    return BlastQueryField{QString::fromLatin1(key), value};
  };
  const auto fixed = [](const char* key, const char* value) {
    return BlastQueryField{QString::fromLatin1(key), QString::fromLatin1(value)};
  };
  return {fixed("CMD", "Web"),
          fixed("LAYOUT", "TwoWindows"),
          fixed("AUTO_FORMAT", "Semiauto"),
          field("ALIGNMENTS", QString::number(options.alignments)),
          field("ALIGNMENT_VIEW", options.alignmentView),
          fixed("CLIENT", "web"),
          field("DATABASE", options.database),
          fixed("DESCRIPTIONS", "100"),
          field("QUERY", sequenceData),
          fixed("EXPECT", "10"),
          fixed("FILTER", "L"),
          fixed("FORMAT_OBJECT", "Alignment"),
          fixed("FORMAT_TYPE", "HTML"),
          fixed("NCBI_GI", "on"),
          field("PAGE", options.page),
          fixed("SERVICE", "plain"),
          fixed("SET_DEFAULTS.x", "34"),
          fixed("SET_DEFAULTS.y", "8"),
          fixed("SHOW_OVERVIEW", "on"),
          fixed("END_OF_HTTPGET", "Yes"),
          fixed("SHOW_LINKOUT", "yes"),
          fixed("GET_SEQUENCE", "yes"),
          fixed("PERC_IDENT", "None,1,-2")};
}

QString blastQueryUrl(const BlastQueryOptions& options, const QString& sequenceData) {
  QString url = blastServiceAddress();
  QChar separator = QLatin1Char('?');
  for (const BlastQueryField& field : blastQueryFields(options, sequenceData)) {
    // Only the sequence is escaped; the other values are fixed texts the service reads as sent.
    url +=
        separator + field.key + QLatin1Char('=') +
        (field.key == QLatin1String("QUERY") ? percentEncodeQueryValue(field.value) : field.value);
    separator = QLatin1Char('&');
  }
  return url;
}

QByteArray blastFormPage(const BlastQueryOptions& options, const QString& sequenceData) {
  QString page = QStringLiteral(
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>BLAST query</title></head>\n"
      "<body onload=\"document.forms[0].submit()\">\n");
  page += QStringLiteral("<form method=\"post\" accept-charset=\"utf-8\" action=\"") +
          attributeValue(blastServiceAddress()) + QStringLiteral("\">\n");
  for (const BlastQueryField& field : blastQueryFields(options, sequenceData)) {
    page += QStringLiteral("<input type=\"hidden\" name=\"") + attributeValue(field.key) +
            QStringLiteral("\" value=\"") + attributeValue(field.value) + QStringLiteral("\">\n");
  }
  page += QStringLiteral(
      "<noscript><input type=\"submit\" value=\"Send the query to BLAST\"></noscript>\n"
      "</form>\n</body></html>\n");
  return page.toUtf8();
}

}  // namespace duvanet::core
