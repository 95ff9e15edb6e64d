// Switching to the engine program Cylvane and back: the edition window, the
// start with "/E", the file seek window on a small tree standing for a drive,
// the hand-back. A fake stands for the desktop: no program is ever started.
#include <QAccessible>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "files/configuration.h"
#include "shell/cylvane_link.h"
#include "shell/frm_seek.h"
#include "shell/frm_send.h"
#include "shell/help_form.h"
#include "shell/power_curve_import.h"
#include "platform/text.h"
#include "shell_fixture.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

const std::string kNotFound = "This file was not found on the ";

const char* kCurve =
    "Cylvane Pro - 454 BBC\r\n454\r\n29.92\r\n60\r\n20\r\n0\r\n"
    "2500\r\n470\r\n223.7\r\n3000\r\n490\r\n279.9\r\n3500\r\n505\r\n336.5\r\n4000\r\n512\r\n389.9\r\n"
    "4500\r\n505\r\n432.7\r\n5000\r\n480\r\n457.0\r\n5500\r\n445\r\n466.0\r\n6000\r\n400\r\n457.0\r\n";

const std::string kLostNoTitle = "Lost Cylvane '' Program, do you want to restart it?";

// A small program in a folder of its own, with (or without) the engine
// program family's .zkt file beside it.
fs::path Program(const fs::path& folder, const std::string& name, bool withZkt = true) {
  fs::create_directories(folder);
  WriteFileAtomic(folder / name, "#!/bin/sh\nexit 0\n");
  fs::permissions(folder / name, fs::perms::owner_all);
  if (withZkt) WriteFileAtomic(folder / "SAMPLE.ZKT", "");
  return folder / name;
}

// Runs `step` on the next seek window once it is up, `tree` as its drive.
void WhenSeeking(const fs::path& tree, std::function<void(frmSeek*)> step) {
  WhenModal([tree, step](QWidget* modal) {
    auto* seek = qobject_cast<frmSeek*>(modal);
    QVERIFY(seek);
    seek->Drive1->addItem(QString::fromStdString(tree.string()));
    seek->Drive1->setCurrentIndex(seek->Drive1->count() - 1);
    step(seek);
  });
}

// Answers the next seek window: searches `tree` and, with several finds,
// takes the one at `pick` (-1: Cancel).
void SeekIn(const fs::path& tree, int pick = 0) {
  WhenSeeking(tree, [pick](frmSeek* seek) {
    seek->Command1_Click(0);
    if (!seek->isVisible()) return;
    if (pick < 0) return seek->Command1_Click(1);
    seek->List1->setCurrentRow(pick);
    seek->Command1_Click(2);
  });
}

}  // namespace

class CylvaneLinkTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;
  std::unique_ptr<TempFolder> disk;  // where the programs "are installed"

  FakePrograms& programs() { return scene->programs; }
  frmSend* Send() { return DefaultInstance<frmSend>::IfLoaded(); }
  frmSend* ShowSend() {
    frmSend::ShowSendForm();
    Settle();
    return Send();
  }
  // The seek window for `name` on the test's drive; gone after `step`.
  void Seek(const std::string& name, std::function<void(frmSeek*)> step) {
    shell.SeekExeName = name;
    WhenSeeking(disk->path(), step);
    frmSeek::SeekModal();
    Settle();
    QVERIFY(!DefaultInstance<frmSeek>::Loaded());
  }
  // The custom edition's names as stored: program | folder | title.
  static std::string CustomNames() {
    return cfg.CylvaneExeName[4] + " | " + cfg.CylvaneFolder[4] + " | " + cfg.CylvaneShortName[4];
  }
  void Custom(frmSend* w, const std::string& exe, const std::string& folder, const std::string& title) {
    w->Option3D1_Click(kCustomEdition);
    w->SpecData[0]->setText(QString::fromStdString(exe));
    w->SpecData[1]->setText(QString::fromStdString(folder));
    w->SpecData[2]->setText(QString::fromStdString(title));
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    disk = std::make_unique<TempFolder>();
    scene->CopyShipped("QVZHELP/helpsn0.txt");
  }
  void cleanup() {
    scene->ui.onDoEvents = nullptr;
    frmSend::UnloadSendForm();
    Settle();
    scene.reset();
    disk.reset();
  }

  // The window loads the custom names, keeps the custom edition chosen and
  // turns only an edition it does not know into Cylvane Q4.
  void editionWindowShowsTheChoice() {
    cfg.CylvaneExeName[4] = "RunCylvane.sh";
    cfg.CylvaneFolder[4] = "/opt/Cylvane Pro";
    cfg.CylvaneShortName[4] = "Cylvane Pro";
    const std::pair<int, int> editions[] = {{0, 0}, {3, 3}, {4, 4}, {7, 2}, {-1, 2}};
    for (auto [stored, shown] : editions) {
      cfg.CylvaneEdition = static_cast<int16_t>(stored);
      frmSend* w = ShowSend();
      QCOMPARE(cfg.CylvaneEdition, int16_t(shown));
      for (int k = 0; k < 5; ++k)
        QVERIFY(w->Option3D1[k]->isChecked() == (k == shown) && w->Command1[3 + k]->isEnabled() == (k == shown));
      for (int k = 0; k < 3; ++k) QCOMPARE(w->SpecData[k]->isEnabled(), shown == 4);
      QCOMPARE(w->SpecData[1]->text(), QString("/opt/Cylvane Pro"));
      frmSend::UnloadSendForm();
      Settle();
    }
    frmSend* w = ShowSend();
    w->Option3D1[4]->toggle();  // as a screen reader chooses, without a click
    QCOMPARE(cfg.CylvaneEdition, int16_t(4));
    QVERIFY(w->SpecData[0]->isEnabled() && w->Command1[7]->isEnabled() && !w->Command1[5]->isEnabled());
    QCOMPARE(w->windowTitle(), QString("Switch to Engine Program"));
    QCOMPARE(w->Frame3D1->title(), QString("Windows Engine Program"));
    QCOMPARE(TextsOf(w->Option3D1), QStringList({"Cylvane Q1", "Cylvane Q2", "Cylvane Q4", "Cylvane Q3",
                                                 "Other \"custom configuration\""}));
    QCOMPARE(TextsOf(w->SpecName), QStringList({"Program EXE Name", "Location (path)", "Program Icon Name"}));
    QCOMPARE(w->Command1[7]->accessibleName(), QString("Look For It: Other \"custom configuration\""));
    // Closing keeps the choice and what was typed.
    Custom(w, "cv.sh", "/opt/cv", "CV");
    w->Command1_Click(2);
    Settle();
    QVERIFY(!Send());
    QCOMPARE(cfg.CylvaneEdition, int16_t(4));
    QCOMPARE(CustomNames(), std::string("cv.sh | /opt/cv | CV"));
  }

  // A custom program in a folder typed without a final "/", its names in
  // mixed case and with blanks around them: started with exactly "/E" in
  // its own folder. No curve was handed over yet: no box at all. With a
  // curve handed over, the summary question follows; Yes puts the curve
  // into the Engine specs.
  void customProgramStartsWithSlashEInItsFolder() {
    const fs::path folder = disk->path() / "Cylvane Pro";
    Program(folder, "RunCylvane.sh");
    frmSend* w = ShowSend();
    Custom(w, " RunCylvane.sh ", folder.string(), "Cylvane Pro ");
    programs().needsFile = true;
    w->Command1_Click(0);
    Settle();
    QVERIFY(!Send());
    QCOMPARE(programs().activated, std::vector<std::string>{"Cylvane Pro"});
    QCOMPARE(programs().starts.size(), size_t(1));
    QCOMPARE(programs().starts[0].program + " " + programs().starts[0].arguments.at(0) + " in " +
                 programs().starts[0].folder,
             (folder / "RunCylvane.sh").string() + " /E in " + folder.string());
    QCOMPARE(programs().starts[0].arguments.size(), size_t(1));
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(CustomNames(), "RunCylvane.sh | " + folder.string() + " | Cylvane Pro");  // the folder as typed

    scene->Write(kHandOverFile, kCurve);
    w = ShowSend();
    Custom(w, "RunCylvane.sh", folder.string() + "/", "Cylvane Pro");
    programs().activation = Activation::Activated;
    scene->ui.Answer(ans::Yes);
    w->Command1_Click(0);
    QCOMPARE(programs().starts.size(), size_t(1));  // it was running: brought to the front only
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, Space(33) + "Summary of Power Curve" + Space(30));
    QCOMPARE(SpecAt(kEngine, 1) + " " + tbl.PowerCurveText[0][0], std::string("454 2500"));
    QCOMPARE(shell.CylvaneTitle, std::string("Cylvane Pro - 454 BBC"));
  }

  // What the desktop says decides: brought to the front, started, or (when
  // it cannot tell) a switch by hand while our own Cylvane still runs.
  void activationDecidesBetweenFrontStartAndSwitchByHand() {
    struct Case {
      const char* what;
      Activation activation;
      bool ourCopyRuns;
      int starts;
      const char* box;
    } cases[] = {
        {"brought to the front", Activation::Activated, true, 0, ""},
        {"not running", Activation::NotRunning, true, 1, ""},
        {"cannot tell, ours runs", Activation::CannotTell, true, 0, "Switch to CV with your desktop's window list."},
        {"cannot tell, ours ended", Activation::CannotTell, false, 1, ""},
    };
    const fs::path folder = disk->path() / "CV";
    Program(folder, "CV.EXE");
    for (const Case& c : cases) {
      programs() = FakePrograms{};
      ResetCylvaneLink();
      scene->ui.Clear();
      cfg.CylvaneEdition = 2;
      cfg.CylvaneFolder[2] = folder.string();
      LaunchCylvane();  // the first start of this run
      QCOMPARE(programs().starts.size(), size_t(1));
      programs().starts.clear();
      programs().activation = c.activation;
      programs().running = c.ourCopyRuns;
      LaunchCylvane();
      QVERIFY2(int(programs().starts.size()) == c.starts, c.what);
      if (*c.box) {
        QCOMPARE(scene->BoxCount(), 1);
        QCOMPARE(scene->LastBox().prompt, std::string(c.box));
      } else {
        QVERIFY2(scene->BoxCount() == 0, c.what);
      }
      QCOMPARE(programs().activated.back(), std::string("CV"));
    }
  }

  // A designed edition in its Windows folder is never there: the search is
  // offered; No stops, Yes searches and starts the one found, and the
  // found folder is kept for the next time (Cylvane Q3 too).
  void aMissingProgramIsSearchedFor() {
    const fs::path found = Program(disk->path() / "Korvath" / "CVQ3", "CVQ3.EXE");
    Program(disk->path() / "Downloads", "CVQ3.EXE", false);  // no .zkt beside it: not taken
    programs().needsFile = true;
    cfg.CylvaneEdition = 3;

    scene->ui.Answer(ans::No);
    LaunchCylvane();
    QCOMPARE(programs().starts.size(), size_t(1));
    QCOMPARE(programs().starts[0].program, std::string("C:\\KORVLABS.ZKT\\CVQ3/CVQ3.EXE"));
    QCOMPARE(scene->Box(0).prompt, "The Program EXE File of   CVQ3.EXE   was not found where it was expected." + kCR +
                                       kCR + "Do you want the program to look for it?");
    QCOMPARE(shell.SeekExeName, std::string(""));

    scene->ui.Answer(ans::Yes);
    SeekIn(disk->path());
    LaunchCylvane();
    QCOMPARE(programs().starts.size(), size_t(3));
    QCOMPARE(programs().starts[2].program, found.string());
    QCOMPARE(cfg.CylvaneFolder[3], found.parent_path().string() + "/");
    QCOMPARE(scene->BoxCount(), 2);  // one find closes the seek window with its path
    QVERIFY(!scene->ui.busy());

    programs().starts.clear();
    LaunchCylvane();  // straight from the folder found
    QCOMPARE(programs().starts.size(), size_t(1));
    QCOMPARE(programs().starts[0].program, found.string());

    // A search that finds nothing ends with the Part's message.
    cfg.CylvaneEdition = 1;
    scene->ui.Answer(ans::Yes);
    SeekIn(disk->path(), -1);
    LaunchCylvane();
    QCOMPARE(scene->LastBox().prompt, std::string("Unable to locate this Cylvane Program on your system."));
  }

  void programPathJoinsWithOneSeparator() {
    Program(disk->path() / "Mixed", "CylVane.sh");
    const std::string d = disk->path().string();
    const std::string cases[][3] = {
        {"/opt/cv", "run", "/opt/cv/run"},
        {"/opt/cv//", "run", "/opt/cv/run"},
        {"C:\\KORVLABS.ZKT\\CV\\", "CV.EXE", "C:\\KORVLABS.ZKT\\CV/CV.EXE"},
        {"", "cylvane", "cylvane"},
        {"/", "cylvane", "/cylvane"},
        {d + "/Mixed", "cylvane.SH", d + "/Mixed/CylVane.sh"},  // the file as it is on disk
    };
    for (const auto& [folder, name, path] : cases) QCOMPARE(CylvaneProgramPath(folder, name), path);
  }

  // "Look For It": the custom edition needs a name, and after the search
  // the window is still there, showing the custom edition and the folder.
  void lookForItKeepsTheWindowAndTheEdition() {
    const fs::path found = Program(disk->path() / "Engines" / "Pro", "cylvane-pro");
    frmSend* w = ShowSend();
    Custom(w, "", "", "Cylvane Pro");
    const std::string needsNames =
        "You must enter both the Program EXE Name and Program Icon Name for a valid Custom Configuration.";
    w->Command1_Click(7);
    QCOMPARE(scene->LastBox().prompt, needsNames);
    w->SpecData[0]->setText("cylvane-pro");
    w->SpecData[2]->setText("  ");
    w->Command1_Click(0);  // nor does OK switch with a blank title
    QCOMPARE(scene->LastBox().prompt, needsNames);
    QVERIFY(programs().activated.empty() && programs().starts.empty() && Send());
    w->SpecData[2]->setText("Cylvane Pro");
    SeekIn(disk->path());
    w->Command1_Click(7);
    Settle();
    QCOMPARE(Send(), w);
    QVERIFY(w->isVisible());
    QVERIFY(w->Option3D1[4]->isChecked());
    QCOMPARE(cfg.CylvaneEdition, int16_t(4));
    QCOMPARE(cfg.CylvaneFolder[4], found.parent_path().string() + "/");
    QCOMPARE(w->SpecData[1]->text().toStdString(), cfg.CylvaneFolder[4]);
    QVERIFY(SaveShot(w, "frmSend_custom.png"));

    // A designed edition's search finds its folder the same way.
    w->Option3D1_Click(1);
    SeekIn(disk->path(), -1);
    w->Command1_Click(4);
    QCOMPARE(scene->LastBox().prompt, std::string("Unable to locate this Vehicle Program on your system."));
    QCOMPARE(cfg.CylvaneExeName[1], std::string("CVQ2.EXE"));
    QVERIFY(Send());

    // Help keeps the window and shows how the link works here.
    w->Command1_Click(1);
    Settle();
    QCOMPARE(shell.HelpMenuNumber, int16_t(590));
    HelpForm* help = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(help && help->windowTitle() == "Cylvane Link");
    QVERIFY(SaveShot(help, "help_cylvane_link.png"));
    QVERIFY(Send());
  }

  // "Return to Cylvane" with nothing handed over: the restart question;
  // Yes opens the edition window. The exit of start mode 1 stays silent.
  void returnToCylvaneOffersTheRestart() {
    int16_t quiet = 0;
    scene->ui.Answer(ans::Yes);
    CheckCylvaneLink(quiet);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).prompt, kLostNoTitle);
    QCOMPARE(scene->Box(0).style, mb::YesNo + mb::DefaultButton2);
    QVERIFY(programs().activated.empty());  // no title to look for
    Settle();
    QVERIFY(Send());
    frmSend::UnloadSendForm();
    Settle();

    quiet = 1;
    CheckCylvaneLink(quiet);
    QCOMPARE(scene->BoxCount(), 1);

    // A title from the handed-over file; the desktop cannot tell.
    scene->Write(kHandOverFile, kCurve);
    programs().activation = Activation::CannotTell;
    quiet = 0;
    CheckCylvaneLink(quiet);
    QCOMPARE(programs().activated.back(), std::string("Cylvane Pro - 454 BBC"));
    QCOMPARE(scene->LastBox().prompt, "Switch to 'Cylvane Pro - 454 BBC' with your desktop's window list." + kCR + kCR +
                                          "If it is no longer running, answer Yes to start it again.");
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QVERIFY(!Send());  // No is the default

    programs().activation = Activation::Activated;
    CheckCylvaneLink(quiet);
    QCOMPARE(scene->BoxCount(), 2);  // brought to the front: nothing to ask
  }

  // The main window's Cylvane button and menu item, shown in start mode 1.
  void mainWindowReturnsToCylvane() {
    scene->ReturningUser(0);
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    m->InitMainWindow();
    tbl.StartMode = 1;
    m->BuildVehicleSummary();
    scene->ui.Clear();
    QVERIFY(m->mnuCylvane->isEnabled() && m->MainCommand[4]->isEnabled());
    scene->ui.Answer(ans::No);
    m->MainCommand[4]->click();
    QCOMPARE(scene->LastBox().prompt, kLostNoTitle);
    m->mnuCylvane->trigger();
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->LastBox().prompt, kLostNoTitle);
  }

  // --- the file seek window

  void loadShowsTheNameAndTheDrives() {
    const std::vector<std::string> drives = frmSeek::SeekDrives();
    QCOMPARE(drives.at(0), QDir::homePath().toStdString());
    QCOMPARE(drives.at(1), std::string("/"));
    Seek("CV.EXE", [](frmSeek* w) {
      QCOMPARE(w->windowTitle(), QString("File Seek"));
      QCOMPARE(w->Label2->text(), QString("Select Drive to Search for CV.EXE\nThen click on the Search Button"));
      // A screen reader names the drive list by the instruction over it.
      const auto labels = QAccessible::queryAccessibleInterface(w->Drive1)->relations(QAccessible::Label);
      QVERIFY(!labels.isEmpty() && labels.first().first->text(QAccessible::Name).startsWith("Select Drive"));
      QVERIFY(w->Label1->text().isEmpty() && w->Command1[2]->isHidden() && w->Frame3D1->isHidden());
      w->Command1_Click(1);  // Cancel before any search
    });
    QCOMPARE(shell.SeekExeName, std::string(""));
    QCOMPARE(scene->BoxCount(), 0);
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
      QVERIFY(!w->Frame3D1->isHidden() && !w->Command1[2]->isHidden());
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
      QCOMPARE(w->List1->count(), 2);
      QVERIFY(!w->Command1[2]->isHidden() && !w->Searching());
      w->Command1_Click(2);  // the first is picked
    });
    QCOMPARE(shell.SeekExeName, (disk->path() / "C" / "cv").string());

    scene->ui.onDoEvents = nullptr;
    scene->ui.Clear();
    Seek("nothing.sh", [this](frmSeek* w) {
      w->Command1_Click(0);
      QVERIFY(w->isVisible());
      QCOMPARE(w->focusWidget(), static_cast<QWidget*>(w->Drive1));
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

QTEST_MAIN(CylvaneLinkTest)
#include "cylvane_link_qtest.moc"
