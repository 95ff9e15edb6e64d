// The web page, the text documents and the manual open in the desktop's own
// viewers; here a fake opener stands for the desktop.
#include <QtTest>
#include <filesystem>
#include <string>

#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "shell/outside_viewers.h"
#include "support/fake_programs.h"
#include "support/temp_folder.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

const char* const kNoViewer = "An appropriate viewer was not found on your system.";

std::string Finished(const std::string& name) {
  return "When you are finished viewing the " + name +
         " document, click on the [X] box in the upper right corner to return to the Stagewell.";
}

}  // namespace

class OutsideViewersTest : public QObject {
  Q_OBJECT

 private slots:
  // The path goes to the opener whole, blanks and all; a document that is
  // not a ".txt" file goes as a ".txt" copy with the same bytes.
  void textDocumentsOpenAsPlainText() {
    struct Case {
      const char* file;
      const char* name;
      const char* opensAs;  // the file name the opener gets
    } cases[] = {
        {"Analysis Report.txt", "Analysis Report", "Analysis Report.txt"},
        {"readme.doc", "Readme.doc", "readme.txt"},
        {"NOTES.TXT", "Notes", "NOTES.TXT"},
    };
    for (const Case& c : cases) {
      TempFolder folder;
      const fs::path doc = folder.path() / c.file;
      WriteFileAtomic(doc, "Line one\r\nLine two\r\n");
      ScopedScriptedUi ui;
      ScopedFakePrograms programs;
      ShowTextDocument(doc.string(), c.name);
      QCOMPARE(ui->boxes().size(), size_t(1));
      QCOMPARE(ui->boxes()[0].prompt, Finished(c.name));
      QCOMPARE(ui->boxes()[0].style, mb::OKOnly);
      QCOMPARE(programs->opened.size(), size_t(1));
      const fs::path opened = programs->opened[0];
      QCOMPARE(opened.filename().string(), std::string(c.opensAs));
      if (opened != doc) QVERIFY(opened.parent_path() != doc.parent_path());
      std::string bytes;
      QVERIFY(ReadFileBytes(opened, bytes));
      QCOMPARE(bytes, std::string("Line one\r\nLine two\r\n"));
      QVERIFY(programs->starts.empty());
    }
  }

  // No viewer: one message after the first, never one per attempt.
  void noViewerIsSaidOnce() {
    TempFolder folder;
    const fs::path doc = folder.path() / "readme.doc";
    WriteFileAtomic(doc, "x\r\n");
    ScopedScriptedUi ui;
    ScopedFakePrograms programs;
    programs->openWorks = false;
    ShowTextDocument(doc.string(), "Readme.doc");
    QCOMPARE(ui->boxes().size(), size_t(2));
    QCOMPARE(ui->boxes()[0].prompt, Finished("Readme.doc"));
    QCOMPARE(ui->boxes()[1].prompt, std::string(kNoViewer));
  }

  void missingDocumentIsNamed() {
    TempFolder folder;
    const std::string doc = (folder.path() / "Analysis Report.txt").string();
    ScopedScriptedUi ui;
    ScopedFakePrograms programs;
    ShowTextDocument(doc, "Analysis Report");
    QCOMPARE(ui->boxes().size(), size_t(1));
    QCOMPARE(ui->boxes()[0].prompt, "The document " + doc + " was not found.");
    QVERIFY(programs->opened.empty());
  }
};

QTEST_MAIN(OutsideViewersTest)
#include "outside_viewers_qtest.moc"
