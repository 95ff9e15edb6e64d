// Builds the PDF manuals of the program folder from their text sources:
//
//   make_manuals <source folder> <target folder>
//
// turns every <stem>.txt of the source folder into <target>/<stem>4.pdf
// (the Help menu opens QVZMan4.pdf and Supp4.pdf). The sources use a small
// markup: "# " the title, "## " a chapter, "### " a section, "- " a list
// item, an empty line between paragraphs; other lines run on as text.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>
#include <cstdio>

namespace {

QString Html(const QString& source, QString& title) {
  QString html = "<html><body>";
  QString paragraph;
  bool inList = false;
  auto endParagraph = [&] {
    if (!paragraph.isEmpty()) html += "<p>" + paragraph.toHtmlEscaped() + "</p>";
    paragraph.clear();
  };
  auto endList = [&] {
    if (inList) html += "</ul>";
    inList = false;
  };
  for (QString line : source.split('\n')) {
    line = line.trimmed();
    if (line.isEmpty()) {
      endParagraph();
      endList();
    } else if (line.startsWith("### ") || line.startsWith("## ") || line.startsWith("# ")) {
      endParagraph();
      endList();
      const int level = line.indexOf(' ');
      const QString text = line.mid(level + 1);
      if (level == 1 && title.isEmpty()) title = text;
      html += QString("<h%1>%2</h%1>").arg(level).arg(text.toHtmlEscaped());
    } else if (line.startsWith("- ")) {
      endParagraph();
      if (!inList) html += "<ul>";
      inList = true;
      html += "<li>" + line.mid(2).toHtmlEscaped() + "</li>";
    } else if (inList && paragraph.isEmpty()) {
      // A list item carried on to the next line.
      html.insert(html.lastIndexOf("</li>"), " " + line.toHtmlEscaped());
    } else {
      paragraph += (paragraph.isEmpty() ? "" : " ") + line;
    }
  }
  endParagraph();
  endList();
  return html + "</body></html>";
}

bool WriteManual(const QString& sourcePath, const QString& pdfPath) {
  QFile in(sourcePath);
  if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  QString title;
  const QString html = Html(QTextStream(&in).readAll(), title);

  QPdfWriter pdf(pdfPath);
  pdf.setTitle(title);
  pdf.setCreator("Stagewell make_manuals");
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                QPageLayout::Millimeter));
  pdf.setResolution(300);

  QTextDocument doc;
  doc.setDefaultStyleSheet(
      "h1 { font-size: 20pt; color: #102a5c; }"
      "h2 { font-size: 14pt; color: #102a5c; margin-top: 14px; }"
      "h3 { font-size: 11.5pt; margin-top: 8px; }"
      "p, li { font-size: 10.5pt; }");
  QFont font("Liberation Serif");
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(10.5);
  doc.setDefaultFont(font);
  doc.setHtml(html);
  doc.print(&pdf);  // paginates and numbers the pages
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_manuals <source folder> <target folder>\n");
    return 2;
  }
  const QDir source(QString::fromLocal8Bit(argv[1])), target(QString::fromLocal8Bit(argv[2]));
  int written = 0;
  for (const QFileInfo& f : source.entryInfoList({"*.txt"}, QDir::Files, QDir::Name)) {
    const QString pdf = target.filePath(f.completeBaseName() + "4.pdf");
    if (!WriteManual(f.filePath(), pdf)) {
      std::fprintf(stderr, "could not read %s\n", qPrintable(f.filePath()));
      return 1;
    }
    std::printf("%s\n", qPrintable(pdf));
    ++written;
  }
  return written > 0 ? 0 : 1;
}
