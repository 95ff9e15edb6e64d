// The file seek window on a small folder tree standing for a drive.
#include <QtTest>
#include <filesystem>

#include "shell/frm_seek.h"
#include "platform/text.h"
#include "shell_fixture.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

void Program(const fs::path& folder, const std::string& name, bool withZkt = true) {
  fs::create_directories(folder);
  WriteFileAtomic(folder / name, "");
  if (withZkt) WriteFileAtomic(folder / "ENGINE.ZKT", "");
}

const std::string kNotFound = "This file was not found on the ";

}  // namespace

class FileSeekWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;
  std::unique_ptr<TempFolder> disk;

  // Shows the seek window for `name` and runs `step` on it once it is up.
  void Seek(const std::string& name, std::function<void(frmSeek*)> step) {
    shell.SeekExeName = name;
    WhenModal([this, step](QWidget* modal) {
      auto* w = qobject_cast<frmSeek*>(modal);
      QVERIFY(w);
      w->Drive1->addItem(QString::fromStdString(disk->path().string()));
      w->Drive1->setCurrentIndex(w->Drive1->count() - 1);
      step(w);
    });
    frmSeek::SeekModal();
    Settle();
    QVERIFY(!DefaultInstance<frmSeek>::Loaded());
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    disk = std::make_unique<TempFolder>();
  }
  void cleanup() {
    scene->ui.onDoEvents = nullptr;
    scene.reset();
    disk.reset();
  }

  void loadShowsTheNameAndTheDrives() {
    const std::vector<std::string> drives = frmSeek::SeekDrives();
    QCOMPARE(drives.at(0), QDir::homePath().toStdString());
    QCOMPARE(drives.at(1), std::string("/"));
    Seek("CV.EXE", [](frmSeek* w) {
      QCOMPARE(w->windowTitle(), QString("File Seek"));
      QCOMPARE(w->Label2->text(), QString("Select Drive to Search for CV.EXE\nThen click on the Search Button"));
      QCOMPARE(w->Drive1->currentIndex(), w->Drive1->count() - 1);
      QCOMPARE(w->Label4->text(), QString("Folders Searched:"));
      QVERIFY(w->Label1->text().isEmpty());
      QVERIFY(w->Command1[2]->isHidden());
      QVERIFY(w->Frame3D1->isHidden());
      w->Command1_Click(1);  // Cancel before any search
    });
    QCOMPARE(shell.SeekExeName, std::string(""));
    QCOMPARE(scene->BoxCount(), 0);
  }

  void oneFindClosesTheWindowWithItsPath() {
    Program(disk->path() / "Korvath" / "CV", "CV.EXE");
    Program(disk->path() / "Downloads", "CV.EXE", false);  // no .zkt beside it
    Seek("CV.EXE", [](frmSeek* w) { w->Command1_Click(0); });
    QCOMPARE(shell.SeekExeName, (disk->path() / "Korvath" / "CV" / "CV.EXE").string());
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(!scene->ui.busy());
  }

  // A browser's file counts without .zkt files beside it; with two finds
  // the window offers them, and "Use" takes the one picked.
  void severalFindsAreOffered() {
    Program(disk->path() / "Browser", "IEXPLORE.EXE", false);
    Program(disk->path() / "Old" / "Browser", "iexplore.exe", false);
    Seek("Iexplore.exe", [this](frmSeek* w) {
      w->Command1_Click(0);
      QVERIFY(w->isVisible());
      QCOMPARE(w->Label1->text(), QString(" 2 Occurances Found of Iexplore.exe"));
      QCOMPARE(w->Label5->text(), QString(" 4"));
      QVERIFY(!w->Frame3D1->isHidden());
      QVERIFY(!w->Command1[2]->isHidden());
      QCOMPARE(w->Label3->text(), QString("Double click (or single click and click on 'Use') on the occurance of "
                                          "Iexplore.exe you want to use."));
      QCOMPARE(w->List1->count(), 2);
      QCOMPARE(w->List1->item(0)->text().toStdString(), (disk->path() / "Old/Browser/iexplore.exe").string());
      QVERIFY(SaveShot(w, "frmSeek_two_finds.png"));
      w->List1->setCurrentRow(1);
      w->Command1_Click(2);
    });
    QCOMPARE(shell.SeekExeName, (disk->path() / "Browser" / "IEXPLORE.EXE").string());
  }

  // Halting after two finds offers those two; a search that found nothing
  // says so and leaves the window open; Cancel after it closes at once.
  void haltAndCancel() {
    for (const char* f : {"A", "B", "C"}) Program(disk->path() / f, "cv");
    fs::create_directories(disk->path() / "D");
    // Folders in order: the root, D, C, B, A; at A two were found.
    int folders = 0;
    scene->ui.onDoEvents = [&] {
      if (++folders != 5) return;
      scene->ui.Answer(ans::Yes);
      DefaultInstance<frmSeek>::IfLoaded()->Command1_Click(1);
    };
    Seek("cv", [this](frmSeek* w) {
      w->Command1_Click(0);
      QCOMPARE(scene->BoxCount(), 1);
      QCOMPARE(scene->Box(0).prompt, std::string("Halt searching for file ?"));
      QCOMPARE(scene->Box(0).title, Space(19) + "Halt ?" + Space(20));
      QCOMPARE(scene->Box(0).style, mb::YesNo);
      QCOMPARE(w->List1->count(), 2);
      QVERIFY(!w->Command1[2]->isHidden());
      QCOMPARE(w->Searching(), int16_t(0));
      w->Command1_Click(2);  // the first is picked
    });
    QCOMPARE(shell.SeekExeName, (disk->path() / "C" / "cv").string());

    scene->ui.onDoEvents = nullptr;
    scene->ui.Clear();
    Seek("nothing.sh", [this](frmSeek* w) {
      w->Command1_Click(0);
      QVERIFY(w->isVisible());
      QCOMPARE(scene->BoxCount(), 1);
      QCOMPARE(scene->Box(0).prompt, kNotFound + disk->path().string() +
                                         " Drive.  Possible reasons include:" + kCR + kCR +
                                         "    -  You do not own the correct version of this" + kCR +
                                         "       Vehicle Program." + kCR + kCR +
                                         "    -  This program is on a different disk drive.");
      w->Command1_Click(1);  // closes at once: nothing is running
    });
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(shell.SeekExeName, std::string(""));
  }

  // Closing the window during a walk halts it; the window closes once the
  // walk has unwound, with nothing chosen.
  void closingDuringAWalkHaltsIt() {
    for (const char* f : {"A", "B", "C"}) Program(disk->path() / f, "cv");
    int folders = 0;
    scene->ui.onDoEvents = [&] {
      if (++folders == 2) DefaultInstance<frmSeek>::IfLoaded()->close();
    };
    Seek("cv", [](frmSeek* w) { w->Command1_Click(0); });
    QCOMPARE(folders, 2);
    QCOMPARE(shell.SeekExeName, std::string(""));
    QCOMPARE(scene->BoxCount(), 0);
  }
};

QTEST_MAIN(FileSeekWindowTest)
#include "file_seek_qtest.moc"
