// Reading the PDFs the print tests make without a printer: the text as
// pdftotext lays it out (each page ends in a form feed), the page count, and
// whether the first page lies on its long side.
#pragma once

#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <string>

namespace sw {

inline QString PdfText(const QString& path) {
  QProcess p;
  p.start("pdftotext", {"-layout", path, "-"});
  if (!p.waitForFinished(20000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}
inline QString PdfText(const std::string& path) { return PdfText(QString::fromStdString(path)); }

inline int PdfPages(const QString& path) { return static_cast<int>(PdfText(path).count('\f')); }
inline int PdfPages(const std::string& path) { return PdfPages(QString::fromStdString(path)); }

inline bool PdfIsWide(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray pdf = f.readAll();
  const qsizetype at = pdf.indexOf("/MediaBox [");
  const QList<QByteArray> n = pdf.mid(at + 11, 40).split(' ');
  return at >= 0 && n.size() >= 4 && n[2].toDouble() > n[3].split(']')[0].toDouble();
}

}  // namespace sw
