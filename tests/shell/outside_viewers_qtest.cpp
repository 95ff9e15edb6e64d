// The web page, the text documents and the manual open in the desktop's own
// viewers; here a fake opener stands for the desktop.
#include <QtTest>
#include <filesystem>

#include "files/configuration.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "shell/outside_viewers.h"
#include "shell_fixture.h"
#include "support/fake_programs.h"
#include "support/temp_folder.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

std::string NoViewer(const std::string& path) {  // where the file is, to open by hand
  return "An appropriate viewer was not found on your system." + kCR + kCR +
         "Open this file with a program of your choice:" + kCR + kCR + "    " + path;
}

std::string Finished(const std::string& name) {
  return "When you are finished viewing the " + name +
         " document, click on the [X] box in the upper right corner to return to the Stagewell.";
}

// A program folder of its own with the shipped manuals, and an executable
// file standing for a viewer the configuration names.
struct ViewerScene {
  TempFolder home;
  ScopedScriptedUi ui;
  ScopedFakePrograms programs;
  ViewerScene() {
    SetProgramFolder(home.path());
    ConfigurationDefaults();
    for (const char* pdf : {"TEXT/QVZMan4.pdf", "TEXT/Supp4.pdf"}) {
      fs::create_directories(home.path() / "TEXT");
      WriteFileAtomic(home.path() / pdf, "%PDF-1.4\n");
    }
  }
  ~ViewerScene() { SetProgramFolder({}); }
  std::string Viewer(const std::string& relative) {
    const fs::path p = home.path() / relative;
    fs::create_directories(p.parent_path());
    WriteFileAtomic(p, "#!/bin/sh\n");
    fs::permissions(p, fs::perms::owner_all);
    return p.string();
  }
  std::string Pdf(const std::string& name) { return (home.path() / "TEXT" / name).string(); }
};

}  // namespace

class OutsideViewersTest : public QObject {
  Q_OBJECT

 private slots:
  // The path goes to the opener whole, blanks and all; any other document
  // goes as a ".txt" copy. No viewer: one message after the first, naming
  // the document (not its copy); a missing document is named.
  void textDocumentsOpenAsPlainText() {
    const struct {
      const char* file;
      const char* name;
      const char* opensAs;  // the file name the opener gets; none: the file is missing
      bool openWorks;
    } cases[] = {
        {"Analysis Report.txt", "Analysis Report", "Analysis Report.txt", false},
        {"readme.doc", "Readme.doc", "readme.txt", true},
        {"NOTES.TXT", "Notes", "NOTES.TXT", true},
        {"readme.doc", "Readme.doc", "readme.txt", false},
        {"Analysis Report.txt", "Analysis Report", nullptr, true},
    };
    for (const auto& c : cases) {
      TempFolder folder;
      const fs::path doc = folder.path() / c.file;
      if (c.opensAs) WriteFileAtomic(doc, "Line one\r\nLine two\r\n");
      ScopedScriptedUi ui;
      ScopedFakePrograms programs;
      programs->openWorks = c.openWorks;
      ShowTextDocument(doc.string(), c.name);
      std::vector<std::string> prompts;
      for (const auto& box : ui->boxes()) prompts.push_back(box.prompt);
      if (!c.opensAs) {
        QCOMPARE(prompts, std::vector<std::string>{"The document " + doc.string() + " was not found."});
        QVERIFY(programs->opened.empty());
        continue;
      }
      QCOMPARE(prompts.front(), Finished(c.name));
      QCOMPARE(prompts.size(), size_t(c.openWorks ? 1 : 2));
      if (!c.openWorks) QCOMPARE(prompts.back(), NoViewer(doc.string()));
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

  // The maker's page: in the browser the configuration names when that is
  // a program here, else in the desktop's; none: where to go by hand.
  void webSiteOpensInABrowser() {
    ViewerScene v;
    const std::string address = MakerAddress();
    QCOMPARE(address, "file://" + (v.home.path() / "TEXT" / "korvath.htm").string());
    const std::string finished =
        "When you are finished viewing the 'Korvath' web site, click on the [X] box in the upper right corner to "
        "return to the Stagewell.";

    ShowWebSite(address, "Korvath");  // no browser configured
    QCOMPARE(v.ui->boxes().at(0).prompt, finished);
    QCOMPARE(v.programs->opened, std::vector<std::string>{address});

    cfg.BrowserPath = "C:\\Progra~1\\Intern~1\\iexplore.EXE";  // from a Windows copy: kept, unused
    ShowWebSite(address, "Korvath");
    QCOMPARE(v.programs->opened.size(), size_t(2));
    QVERIFY(v.programs->starts.empty());
    QCOMPARE(cfg.BrowserPath, std::string("C:\\Progra~1\\Intern~1\\iexplore.EXE"));

    cfg.BrowserPath = v.Viewer("bin/racer-browser");
    ShowWebSite(address, "Korvath");
    QCOMPARE(v.programs->starts.size(), size_t(1));
    QCOMPARE(v.programs->starts[0].program, cfg.BrowserPath);
    QCOMPARE(v.programs->starts[0].arguments, std::vector<std::string>{address});
    QCOMPARE(v.programs->opened.size(), size_t(2));

    v.ui->Clear();
    cfg.BrowserPath.clear();
    v.programs->openWorks = false;
    ShowWebSite(address, "Korvath");
    QCOMPARE(v.ui->boxes().size(), size_t(2));
    QCOMPARE(v.ui->boxes()[1].prompt,
             "We could not locate a web browser on your computer.  Use your normal web browser and visit:" + kCR + kCR +
                 "    " + address + kCR + kCR + "To see any info on recent updates on this and other Korvath products.");
  }

  // Always this version's manual ("4.pdf"), whatever the viewer's path
  // holds; a viewer that does not start falls back to the desktop's.
  void manualOpensThisVersionsPdf() {
    ViewerScene v;
    const std::string finished =
        "When finished viewing the manual in the PDF viewer, click in the [x] box in the upper right corner of the "
        "PDF viewer to return to the Stagewell.";
    ShowUserManual("QVZMan");
    QCOMPARE(v.ui->boxes().at(0).prompt, finished);
    QCOMPARE(v.programs->opened, std::vector<std::string>{v.Pdf("QVZMan4.pdf")});
    QVERIFY(!v.ui->busy());

    cfg.ManualViewerPath = v.Viewer("Adobe/Acrobat 3.0/Reader/acroread");
    ShowUserManual("Supp");
    QCOMPARE(v.programs->starts.size(), size_t(1));
    QCOMPARE(v.programs->starts[0].program + " " + v.programs->starts[0].arguments.at(0),
             cfg.ManualViewerPath + " " + v.Pdf("Supp4.pdf"));

    v.programs->startWorks = false;
    ShowUserManual("Supp");
    QCOMPARE(v.programs->opened.back(), v.Pdf("Supp4.pdf"));

    v.ui->Clear();
    v.programs->openWorks = false;
    ShowUserManual("QVZMan");
    QCOMPARE(v.ui->boxes().size(), size_t(2));
    QCOMPARE(v.ui->boxes()[1].prompt, NoViewer(v.Pdf("QVZMan4.pdf")));

    v.ui->Clear();
    fs::remove(v.Pdf("Supp4.pdf"));
    ShowUserManual("Supp");
    QCOMPARE(v.ui->boxes().size(), size_t(1));
    QCOMPARE(v.ui->boxes()[0].prompt, "The manual file " + v.Pdf("Supp4.pdf") + " was not found.");
  }

  // The documents the Help menu opens come with the program.
  void helpMenuOpensTheShippedDocuments() {
    ShellScene scene;
    for (const char* f : {"readme.doc", "TEXT/QVZMan4.pdf", "TEXT/Supp4.pdf", "TEXT/korvath.htm"})
      scene.CopyShipped(f);
    for (const char* pdf : {"TEXT/QVZMan4.pdf", "TEXT/Supp4.pdf"}) QCOMPARE(scene.Read(pdf).substr(0, 5), std::string("%PDF-"));
    const std::string readme = scene.Read("readme.doc");
    QVERIFY(readme.find("\r\n") != std::string::npos && readme.find("\n", 0) == readme.find("\r\n") + 1);
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->mnuUsersManual->trigger();
    m->mnuSupplement->trigger();
    m->mnuReadme->trigger();
    m->mnuWeb->trigger();
    const std::vector<std::string>& opened = scene.programs.opened;
    QCOMPARE(opened.size(), size_t(4));
    QCOMPARE(opened[0], scene.path("TEXT/QVZMan4.pdf"));
    QCOMPARE(opened[1], scene.path("TEXT/Supp4.pdf"));
    QCOMPARE(fs::path(opened[2]).filename().string(), std::string("readme.txt"));
    QCOMPARE(opened[3], "file://" + scene.path("TEXT/korvath.htm"));
    QCOMPARE(scene.Box(2).prompt, Finished("README.DOC"));
    QCOMPARE(scene.BoxCount(), 4);
  }
};

QTEST_MAIN(OutsideViewersTest)
#include "outside_viewers_qtest.moc"
