#include "shell/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>
#include <cerrno>
#include <filesystem>

#include "dialin/frm_dial_in.h"
#include "files/configuration.h"
#include "files/file_names.h"
#include "files/file_state.h"
#include "files/file_write.h"
#include "files/vehicle_file.h"
#include "match/frm_match.h"
#include "specs/spec_windows.h"
#include "match/spec_search.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/printer.h"
#include "platform/qt/menu_bar_tips.h"
#include "platform/qt/window_place.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/text_box.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/user_actions.h"
#include "shell/base_run_file.h"
#include "shell/cylvane_link.h"
#include "printing/print_screen.h"
#include "printing/file_optns.h"
#include "printing/prnt_optns.h"
#include "shell/frm_about.h"
#include "shell/frm_disp_cmnts.h"
#include "shell/frm_save_file.h"
#include "shell/frm_send.h"
#include "shell/outside_viewers.h"
#include "shell/main_mdi_area.h"
#include "shell/frm_cmmd_intro.h"
#include "shell/frm_intro_help.h"
#include "shell/help_form.h"
#include "shell/main_window_wiring.h"
#include "shell/power_curve_import.h"
#include "shell/shell_state.h"
#include "shell/splash_form.h"
#include "shell/startup.h"
#include "shell/unattended.h"
#include "shell/vehicle_summary.h"
#include "simulation/calculate.h"
#include "simulation/tables.h"
#include "specs/spec_windows.h"
#include "platform/qt/held_under_boxes.h"
#include "platform/qt/window_lifetime.h"

namespace sw {

const char* const kNotAvailableYet = "Not available yet: this part of the program is still being built.";

namespace {

const std::string kCR(1, CR);

bool g_ending = false;
int g_exitStatus = 0;

// The class of the window that had the focus before the current one: an
// activation that only comes back from one of our message or input boxes is
// not a new activation of the main window.
QString g_previousFocusClass, g_currentFocusClass;

QString ClassOfWindow(QWindow* w) {
  if (!w) return {};
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->windowHandle() == w) return top->metaObject()->className();
  return {};
}

// Comments are kept with CR LF line ends; the box uses "\n".
QString CommentsToBox(const std::string& text) {
  QString q = ToQ(text);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QChar('\r'), QChar('\n'));
  return q;
}
std::string CommentsFromBox(const QString& text) {
  QString q = text;
  q.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return FromQ(q);
}

// While a calculation runs nothing may start another one, and the menus are
// greyed so that the racer can see why.
class CalculationGuard {
 public:
  explicit CalculationGuard(frmMain* w) : w_(w), was_(tbl.CalcRunning) {
    tbl.CalcRunning = true;
    if (w_->menuBar()) w_->menuBar()->setEnabled(false);
    w_->mnuF2F2->setEnabled(false);
  }
  ~CalculationGuard() {
    tbl.CalcRunning = was_;
    if (w_->menuBar()) w_->menuBar()->setEnabled(true);
    w_->mnuF2F2->setEnabled(true);
    // Whatever road the calculation took, the hourglass ends with it.
    Ui().SetBusyCursor(false);
  }

 private:
  frmMain* w_;
  bool was_;
};

QPushButton* BigButton(const QString& caption, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  QFont f = b->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.15);
  b->setFont(f);
  b->setMinimumHeight(44);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

void MarkNotAvailableYet(QWidget* w) {
  w->setEnabled(false);
  w->setToolTip(kNotAvailableYet);
}
void MarkNotAvailableYet(QAction* a) {
  a->setEnabled(false);
  a->setToolTip(kNotAvailableYet);
  a->setStatusTip(kNotAvailableYet);
  // On a menu bar, too, the greyed item says why.
  for (QObject* o : a->associatedObjects()) ShowMenuBarToolTips(qobject_cast<QMenuBar*>(o));
}

void ShowOverMainWindow(QWidget* w) {
  if (!w->isVisible()) PlaceOver(w, DefaultInstance<frmMain>::IfLoaded());
  w->show();
  w->raise();
  w->activateWindow();
}

void EndProgram(int status) {
  g_ending = true;
  g_exitStatus = status;
  DropWaitingWork();
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(status);
}
bool ProgramEnding() { return g_ending; }
int ProgramExitStatus() { return g_exitStatus; }
void ResetProgramEnding() {
  g_ending = false;
  g_exitStatus = 0;
}

void BuildMainCaption(std::string& caption) {
  caption = MainCaptionText(fst.CurrentFileName);
  if (frmMain* w = DefaultInstance<frmMain>::IfLoaded()) w->SetCaption(caption);
}

// ---------------------------------------------------------------- load

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmMain");
  BuildPanels();
  BuildMenus();
  WireHelpAndFileWindows(this);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [](QWindow* w) {
    // Moments with no window of the program in front (a box just closed,
    // another program in front) say nothing about where the front came from.
    if (!w) return;
    g_previousFocusClass = g_currentFocusClass;
    g_currentFocusClass = ClassOfWindow(w);
  });

  QSize want(1040, 820);
  if (QScreen* s = QGuiApplication::primaryScreen()) {
    QSize avail = s->availableGeometry().size();
    want = want.boundedTo(avail * 0.95);
  }
  resize(want);
  MDIForm_Load();
}

frmMain::~frmMain() { DefaultInstance<frmMain>::Forget(this); }

void frmMain::MDIForm_Load() {
  if (tbl.StartMode != 2)
    if (SplashForm* splash = DefaultInstance<SplashForm>::IfLoaded()) splash->hide();
  fst.CurrentFileName.clear();
  std::error_code ec;
  std::filesystem::current_path(ProgramFolder(), ec);
  std::string caption;
  caption = MainCaptionText(fst.CurrentFileName);
  SetCaption(caption);
  lblHelp->setText("Click on Spec Value for explanation of spec to be given here.");
  InitTables();
}

void frmMain::SetCaption(const std::string& caption) { setWindowTitle(ToQ(caption)); }

// ---------------------------------------------------------------- layout

void frmMain::BuildPanels() {
  auto* central = new QWidget(this);
  central->setObjectName("central");
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(6, 6, 6, 6);
  v->setSpacing(6);

  // Upper panel: summary, spec buttons and the three large buttons.
  Picture1 = new QFrame(central);
  Picture1->setObjectName("Picture1");
  Picture1->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* g1 = new QGridLayout(Picture1);

  Frame3D8 = new QGroupBox("Vehicle Summary", Picture1);
  Frame3D8->setObjectName("Frame3D8");
  auto* sv = new QVBoxLayout(Frame3D8);
  sv->setSpacing(7);
  for (int i = 0; i < 5; ++i) {
    auto* l = new QLabel(Frame3D8);
    l->setObjectName(QString("Label5_%1").arg(i));
    l->setTextFormat(Qt::PlainText);
    l->setMinimumWidth(520);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    sv->addWidget(l);
    Label5.push_back(l);
  }
  sv->addStretch(1);

  Frame3D1 = new QGroupBox(" Vehicle Specs ", Picture1);
  Frame3D1->setObjectName("Frame3D1");
  auto* bg = new QGridLayout(Frame3D1);
  static const char* kSpecButtons[6] = {"Engine",          "Transmission", "Body && Axle",
                                        "Wheels && Tires", "Driving",      "Calculate Performance"};
  for (int i = 0; i < 6; ++i) {
    auto* b = new QPushButton(kSpecButtons[i], Frame3D1);
    b->setObjectName(QString("Command1_%1").arg(i));
    b->setMinimumHeight(34);
    b->setAutoDefault(false);
    OnAction(b, &QPushButton::clicked, this, "Command1_" + std::to_string(i), [this, i] { Command1_Click(i); });
    bg->addWidget(b, i, 0);
    Command1.push_back(b);
  }

  cmdRun = BigButton("Calculate ET Performance", "cmdRun", Picture1);
  cmdOpen = BigButton("Open Vehicle Library", "cmdOpen", Picture1);
  cmdSave = BigButton("Save Vehicle to Library", "cmdSave", Picture1);
  OnAction(cmdRun, &QPushButton::clicked, this, "cmdRun", [this] { cmdRun_Click(); });
  OnAction(cmdSave, &QPushButton::clicked, this, "cmdSave", [this] { cmdSave_Click(); });
  OnAction(cmdOpen, &QPushButton::pressed, this, "cmdOpen pressed", [] { shell.SkipValidation = true; });
  OnAction(cmdOpen, &QPushButton::clicked, this, "cmdOpen", [this] {
    // The open menu drops down where the button was clicked (below it when
    // the keyboard pressed it).
    QPoint at = cmdOpen->underMouse() ? QCursor::pos() : cmdOpen->mapToGlobal(QPoint(0, cmdOpen->height()));
    mnuOpenFile->popup(at);
  });
  auto* big = new QHBoxLayout;
  big->addWidget(cmdRun);
  big->addWidget(cmdOpen);
  big->addWidget(cmdSave);

  g1->addWidget(Frame3D8, 0, 0);
  g1->addWidget(Frame3D1, 0, 1);
  g1->addLayout(big, 1, 0, 1, 2);
  g1->setColumnStretch(0, 4);
  g1->setColumnStretch(1, 1);

  MdiArea = new MainMdiArea(central);
  MdiArea->setObjectName("MdiArea");
  MdiArea->setMinimumHeight(120);

  // Lower panel: feature buttons, comments and the help line.
  Picture2 = new QFrame(central);
  Picture2->setObjectName("Picture2");
  Picture2->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* g2 = new QGridLayout(Picture2);
  static const char* kFeatures[6] = {"Match Vehicle Performance", "Dial-In", "Throttle Stop",
                                     "Quit",                      "Cylvane", "Optimize"};
  auto* feat = new QHBoxLayout;
  for (int i = 0; i < 6; ++i) {
    auto* b = new QPushButton(kFeatures[i], Picture2);
    b->setObjectName(QString("MainCommand_%1").arg(i));
    b->setMinimumHeight(30);
    b->setAutoDefault(false);
    if (i == 5) {
      OnAction(b, &QPushButton::clicked, this, "MainCommand_5", [this, b] {
        QPoint at = b->underMouse() ? QCursor::pos() : b->mapToGlobal(QPoint(0, b->height()));
        ShowOptimizeMenu(at);
      });
    } else {
      OnAction(b, &QPushButton::clicked, this, "MainCommand_" + std::to_string(i), [this, i] { MainCommand_Click(i); });
    }
    feat->addWidget(b);
    MainCommand.push_back(b);
  }
  g2->addLayout(feat, 0, 0, 1, 2);

  Frame3D5.push_back(new QGroupBox("Comments:", Picture2));
  Frame3D5.push_back(new QGroupBox("Help:", Picture2));
  Frame3D5[0]->setObjectName("Frame3D5_0");
  Frame3D5[1]->setObjectName("Frame3D5_1");
  Text1 = new TextBox(Frame3D5[0]);
  Text1->setObjectName("Text1");
  Text1->setTabChangesFocus(true);
  Text1->setFixedHeight(Text1->fontMetrics().lineSpacing() * 3 + 14);
  connect(Text1, &QPlainTextEdit::textChanged, this, [this] {
    if (!settingComments_ && !HeldUnderBox(Text1)) WhenNotCalculating(this, "Text1", [this] { Text1_Change(); });
  });
  (new QVBoxLayout(Frame3D5[0]))->addWidget(Text1);
  lblHelp = new QLabel(Frame3D5[1]);
  lblHelp->setObjectName("lblHelp");
  lblHelp->setWordWrap(true);
  lblHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblHelp->setMinimumHeight(Text1->height());
  (new QVBoxLayout(Frame3D5[1]))->addWidget(lblHelp);
  g2->addWidget(Frame3D5[0], 1, 0);
  g2->addWidget(Frame3D5[1], 1, 1);
  g2->setColumnStretch(0, 1);
  g2->setColumnStretch(1, 1);

  Command2 = new QPushButton("Read Old Example Files", Picture2);
  Command2->setObjectName("Command2");
  Command2->hide();

  v->addWidget(Picture1);
  v->addWidget(MdiArea, 1);
  v->addWidget(Picture2);
  setCentralWidget(central);

  // The help line follows the mouse.
  std::vector<QWidget*> watched = {cmdOpen, cmdRun, cmdSave, Frame3D1, Picture1, Picture2, Frame3D8, Text1};
  for (auto* b : Command1) watched.push_back(b);
  for (auto* b : MainCommand) watched.push_back(b);
  for (auto* l : Label5) watched.push_back(l);
  for (QWidget* w : watched) {
    w->setMouseTracking(true);
    w->installEventFilter(this);
  }
  Text1->viewport()->installEventFilter(this);
  Text1->viewport()->setMouseTracking(true);
}

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto act = [this](QMenu* m, const char* caption, const char* name, QKeySequence key = {}) {
    QAction* a = m->addAction(caption);
    a->setObjectName(name);
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
  };

  mnuFile = bar->addMenu("&File (vehicle) ");
  mnuFile->setObjectName("mnuFile");
  mnuFile->setToolTipsVisible(true);
  mnuNew = act(mnuFile, "New", "mnuNew");
  mnuNew->setEnabled(false);  // a heading without an action of its own
  mnuOpenExampleFile = act(mnuFile, "Open Example Vehicle from Korvath", "mnuOpenExampleFile");
  mnuFilLoad = act(mnuFile, "&Open One of My Saved Vehicles", "mnuFilLoad", QKeySequence("Ctrl+O"));
  mnuFilSave = act(mnuFile, "&Save Vehicle", "mnuFilSave", QKeySequence("Ctrl+S"));
  mnuSaveAs = act(mnuFile, "Save As", "mnuSaveAs", QKeySequence("Ctrl+A"));
  mnuFile->addSeparator();
  mnuOpenFloppy = act(mnuFile, "Open from Floppy Disk", "mnuOpenFloppy");
  mnuCopyFloppy = act(mnuFile, "Save To Floppy Disk", "mnuCopyFloppy");
  mnuFile->addSeparator();
  mnuPrintMainScreen = act(mnuFile, "Print Main Screen", "mnuPrintMainScreen");
  mnuPrintBlankWorksheet = act(mnuFile, "Print Blank Worksheet", "mnuPrintBlankWorksheet");
  mnuWindowsPrinterSetup = act(mnuFile, "Windows Printer Setup", "mnuWindowsPrinterSetup");
  mnuFile->addSeparator();
  mnuFilExit = act(mnuFile, "E&xit Program", "mnuFilExit", QKeySequence("Ctrl+X"));

  OnAction(mnuOpenExampleFile, &QAction::triggered, this, "mnuOpenExampleFile", [this] { mnuOpenExampleFile_Click(); });
  OnAction(mnuFilLoad, &QAction::triggered, this, "mnuFilLoad", [this] { mnuFilLoad_Click(); });
  OnAction(mnuFilSave, &QAction::triggered, this, "mnuFilSave", [this] { mnuFilSave_Click(); });
  OnAction(mnuSaveAs, &QAction::triggered, this, "mnuSaveAs", [this] { SaveVehicleAs(); });
  OnAction(mnuOpenFloppy, &QAction::triggered, this, "mnuOpenFloppy", [this] { mnuOpenFloppy_Click(); });
  OnAction(mnuCopyFloppy, &QAction::triggered, this, "mnuCopyFloppy", [this] { mnuCopyFloppy_Click(); });
  OnAction(mnuPrintMainScreen, &QAction::triggered, this, "mnuPrintMainScreen", [this] { mnuPrintMainScreen_Click(); });
  OnAction(mnuPrintBlankWorksheet, &QAction::triggered, this, "mnuPrintBlankWorksheet",
           [this] { mnuPrintBlankWorksheet_Click(); });
  OnAction(mnuWindowsPrinterSetup, &QAction::triggered, this, "mnuWindowsPrinterSetup",
           [this] { mnuWindowsPrinterSetup_Click(); });
  OnAction(mnuFilExit, &QAction::triggered, this, "mnuFilExit", [this] { mnuFilExit_Click(); });

  mnuCalc = bar->addAction("&Calc ET");
  mnuCalc->setObjectName("mnuCalc");
  OnAction(mnuCalc, &QAction::triggered, this, "mnuCalc", [this] { cmdRun_Click(); });

  mnuHelp = bar->addMenu("&Help");
  mnuHelp->setObjectName("mnuHelp");
  mnuHelp->setToolTipsVisible(true);
  mnuHelpHelp = act(mnuHelp, "Help On Main Screen", "mnuHelpHelp", QKeySequence(Qt::Key_F1));
  mnuBasicWindows = act(mnuHelp, "Introduction to Basic Windows Commands", "mnuBasicWindows");
  mnuAbout = act(mnuHelp, "About Stagewell", "mnuAbout");
  mnuHelp->addSeparator();
  mnuUsersManual = act(mnuHelp, "Display the User's Manual (with v3.2 Supplement)", "mnuUsersManual");
  mnuSupplement = act(mnuHelp, "Display User's Manual Supplement (v3.2 changes only)", "mnuSupplement");
  mnuReadme = act(mnuHelp, "Display the the Readme.doc file (recent changes)", "mnuReadme");
  mnuHelp->addSeparator();
  mnuOtherProducts = act(mnuHelp, "Other Korvath Products", "mnuOtherProducts");
  mnuWeb = act(mnuHelp, "Korvath on the Web", "mnuWeb");
  OnAction(mnuHelpHelp, &QAction::triggered, this, "mnuHelpHelp", [] {
    shell.HelpMenuNumber = 1000;
    shell.HelpPage = 0;
    ShowHelpTopic(1000);
  });
  OnAction(mnuBasicWindows, &QAction::triggered, this, "mnuBasicWindows", [] { frmCmmdIntro::ShowModal(); });
  OnAction(mnuAbout, &QAction::triggered, this, "mnuAbout", [this] { mnuAbout_Click(); });
  OnAction(mnuOtherProducts, &QAction::triggered, this, "mnuOtherProducts", [this] { mnuAbout_Click(); });
  OnAction(mnuUsersManual, &QAction::triggered, this, "mnuUsersManual", [this] { mnuUsersManual_Click(); });
  OnAction(mnuSupplement, &QAction::triggered, this, "mnuSupplement", [this] { mnuSupplement_Click(); });
  OnAction(mnuReadme, &QAction::triggered, this, "mnuReadme", [this] { mnuReadme_Click(); });
  OnAction(mnuWeb, &QAction::triggered, this, "mnuWeb", [this] { mnuWeb_Click(); });

  mnuPreferences = bar->addMenu("&Preferences ");
  mnuPreferences->setObjectName("mnuPreferences");
  mnuPreferences->setToolTipsVisible(true);
  static const char* kPreferences[][2] = {
      {"Default Floppy Drive", "mnuDefaultDrive"},
      {nullptr, nullptr},
      {".01 Sec Increments: (runs faster)", "mnuStdTime"},
      {".001 Sec Increments (more exact)", "mnuFinerTime"},
      {nullptr, nullptr},
      {"Beginner Level", "mnuBeginner"},
      {"Experienced Level", "mnuExperieced"},
      {nullptr, nullptr},
      {"Remind On Tire Wt Change", "mnuRemindTireWt"},
      {"Don't Remind on Tire Wt Change", "mnuDontRemindTireWt"},
      {nullptr, nullptr},
      {"Engine Graph - Thick Lines", "mnuEngineThickLines"},
      {"Engine Graph - Thin Lines", "mnuEngineThinLines"},
      {nullptr, nullptr},
      {"Allow Instant Updating of Changes", "mnuAllowInstant"},
      {"Don't Allow Instant Updating of Changes", "mnuDontAllowInstant"},
      {nullptr, nullptr},
  };
  for (auto& p : kPreferences) {
    if (!p[0]) {
      mnuPreferences->addSeparator();
      continue;
    }
    MarkNotAvailableYet(act(mnuPreferences, p[0], p[1]));
  }
  QMenu* del = mnuPreferences->addMenu("Remove Old Example Vehicles from Your Vehicles");
  del->setObjectName("mnuDeleteExamples");
  del->setToolTipsVisible(true);
  MarkNotAvailableYet(act(del, "Remove All Old Example Vehicles", "mnuDeleteAllExamples"));
  MarkNotAvailableYet(
      act(del, "Remove Only Old Example Vehicles You Have Not Modified (safer)", "mnuDeleteUnchangedExamples"));

  mnuCylvane = bar->addAction("Return to Cylvane");
  mnuCylvane->setObjectName("mnuCylvane");
  mnuCylvane->setVisible(false);
  OnAction(mnuCylvane, &QAction::triggered, this, "mnuCylvane", [this] { mnuCylvane_Click(); });

  // F2 calculates from anywhere in the window; the item has no caption.
  mnuF2F2 = new QAction(this);
  mnuF2F2->setObjectName("mnuF2F2");
  mnuF2F2->setShortcut(QKeySequence(Qt::Key_F2));
  mnuF2F2->setShortcutContext(Qt::ApplicationShortcut);
  addAction(mnuF2F2);
  OnAction(mnuF2F2, &QAction::triggered, this, "mnuF2F2", [this] { cmdRun_Click(); });

  mnuOpenFile = new QMenu("Open File", this);
  mnuOpenFile->setObjectName("mnuOpenFile");
  mnuOpenFile->setToolTipsVisible(true);
  mnuOpenFileExample = act(mnuOpenFile, "Open Example Vehicle from Korvath", "mnuOpenFileExample");
  mnuOpenFileMyVehicles = act(mnuOpenFile, "Open from My Saved Vehicles", "mnuOpenFileMyVehicles");
  OnAction(mnuOpenFileExample, &QAction::triggered, this, "mnuOpenFileExample", [this] { mnuOpenExampleFile_Click(); });
  OnAction(mnuOpenFileMyVehicles, &QAction::triggered, this, "mnuOpenFileMyVehicles", [this] { mnuFilLoad_Click(); });

  mnuFindBest = new QMenu("Find Best", this);
  mnuFindBest->setObjectName("mnuFindBest");
  mnuFindBest->setToolTipsVisible(true);
  mnuFindAxleRatio = act(mnuFindBest, "Find Best Axle Ratio", "mnuFindAxleRatio");
  mnuFindConverter = act(mnuFindBest, "Find Best Converter", "mnuFindConverter");
  OnAction(mnuFindAxleRatio, &QAction::triggered, this, "mnuFindAxleRatio", [this] {
    tbl.FindBestTarget = 0;
    FindBest();
  });
  OnAction(mnuFindConverter, &QAction::triggered, this, "mnuFindConverter", [this] {
    tbl.FindBestTarget = 1;
    FindBest();
  });

  // Greyed until WireHelpAndFileWindows connects them to the open and save-as
  // windows: a main window built without those offers no command that does
  // nothing.
  for (QAction* a :
       {mnuOpenExampleFile, mnuFilLoad, mnuSaveAs, mnuCopyFloppy, mnuOpenFileExample, mnuOpenFileMyVehicles})
    MarkNotAvailableYet(a);
  MarkNotAvailableYet(cmdOpen);
}

void frmMain::mnuWindowsPrinterSetup_Click() {
  if (Busy()) return;
  // Cancel leaves the orientation as it was.
  SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
  int orientation = ShowPrinterSetup(this);
  if (orientation != 0) cfg.PrinterOrientation = static_cast<int16_t>(orientation);
}

// ---------------------------------------------------------------- help line

std::string frmMain::HelpLineFor(const QObject* c) const {
  if (c == cmdOpen) return "Click here to open the Vehicle Library to pick a new vehicle to work with.";
  if (c == cmdRun) return "Click here to calculate performance like ET, MPH, 60 foot time, etc.";
  if (c == cmdSave) return "Click here to save these Vehicle specs to the Vehicle Library.";
  static const char* kSpec[5][2] = {
      {"Engine", "Cubic Inches, Peak HP, RPM where Peak HP occurs, etc."},
      {"Transmission", "Clutch or Converter Specs, Gear Ratios, etc."},
      {"Body & Axle", "Weight, Axle Ratio, Aerodynamics, etc."},
      {"Wheel/Tire", "Diameter, Tread Width, Construction Type, Traction Factor, Growth, etc."},
      {"Driving", "Launch Specs, Shift Specs, Shift RPMs, etc."}};
  for (int i = 0; i < 5; ++i)
    if (c == Command1[i]) return std::string("Click here to see ") + kSpec[i][0] + " Specs like " + kSpec[i][1];
  if (c == Command1[5])
    return std::string("Click here to see ") +
           "conditions for calculating performance like weather and track length, and then Calculate Performance.";
  static const char* kFeature[5] = {
      "Click here to open a menu to input your vehicle's performance and have the program automatically adjust "
      "specs to match it.",
      "Click here to open a menu to predict a Dial In setting to produce a certain ET accounting for certain "
      "changes in weather conditions.",
      "Click here to open a menu to predict a Throttle Stop setting to produce a certain ET or Index accounting "
      "for certain changes in weather conditions.",
      "Click here to quit the program.  You can also quit by clicking on File, then Exit in the menu bar at the "
      "top left of this screen.",
      "Click here to return to the Cylvane program.  You can load the Cylvane Power Curve by opening up the Engine "
      "menu and clicking on Load from Cylvane' button."};
  for (int i = 0; i < 5; ++i)
    if (c == MainCommand[i]) return kFeature[i];
  if (c == MainCommand[5]) return "";
  if (c == Frame3D1 || c == Picture1 || c == Picture2)
    return "Move mouse over item for description to be given here.  Click on 'Help' in menu line for more "
           "detailed info on options.";
  bool summary = c == Frame3D8;
  for (auto* l : Label5) summary = summary || c == l;
  if (summary)
    return "This section shows a summary of the current settings in each menu.  Click on the menu's button to "
           "view all the details.";
  if (c == Text1 || c == Text1->viewport())
    return "Click here to edit Vehicle Comments.  These comments are saved with the Vehicle File and can be "
           "printed with reports.  They are handy reminders of what this vehicle represents.";
  return "";
}

bool frmMain::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::HoverMove: {
      // MainCommand(5) has a handler that writes no text.
      bool handled = watched == MainCommand[5];
      std::string text = HelpLineFor(watched);
      if (!text.empty() || handled) lblHelp->setText(ToQ(text));
      break;
    }
    case QEvent::FocusOut:
      if (watched == Text1) WhenNotCalculating(this, "Text1 leave", [this] { Text1_LostFocus(); });
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, e);
}

// ---------------------------------------------------------------- window events

bool frmMain::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    // Where the front comes from. Qt tells a window of its activation before
    // it tells who has the front now, so the newest entry may still be the
    // window the front came from.
    const QString from = g_currentFocusClass == metaObject()->className() ? g_previousFocusClass : g_currentFocusClass;
    bool back = from == "QMessageBox" || from == "QInputDialog";
    // An unloaded (hidden) window is no longer activated by the racer.
    if (!back && !initRunning_ && !ending_ && isVisible()) {
      // From the event loop, not inside the desktop's activation: the boxes
      // of the initialisation run an event loop of their own, in which the
      // window that had the focus when the activation began may go away
      // while Qt still holds on to it.
      Later(this, [this] {
        if (!initRunning_ && !ending_ && isVisible()) MDIForm_Activate();
      });
    }
  } else if (e->type() == QEvent::WindowDeactivate) {
    fst.VehicleComments = CommentsFromBox(Text1->toPlainText());
  }
  return QMainWindow::event(e);
}

void frmMain::MDIForm_Activate() {
  // The initialisation reads the files and builds the summary: not while a
  // calculation reads the specs.
  if (PutOffWhileCalculating(this, "activate", [this] { MDIForm_Activate(); })) return;
  InitMainWindow();
}

void frmMain::changeEvent(QEvent* e) {
  // A search keeps its windows: they close when it ends.
  if (e->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) && !Busy()) {
    UnloadChildWindows();
    frmSend::UnloadSendForm();
  }
  QMainWindow::changeEvent(e);
}

void frmMain::UnloadChildWindows() {
  // The six spec windows store their rows as they go; match, dial-in,
  // printout-options and engine-program windows open inside this window.
  UnloadSpecWindows();
  MdiArea->closeAllSubWindows();
  if (PrntOptns* w = DefaultInstance<PrntOptns>::IfLoaded()) w->close();
}

void frmMain::closeEvent(QCloseEvent* e) {
  if (ending_ || ProgramEnding()) {
    e->accept();
    return;
  }
  if (Busy()) {  // a calculation is running: Cancel in its progress window stops it
    e->ignore();
    return;
  }
  // After what the racer did during the run that has just ended.
  if (PutOffWhileCalculating(this, "close", [this] { close(); })) {
    e->ignore();
    return;
  }
  mnuFilExit_Click();
  if (ExitCancelled) e->ignore();
  else e->accept();
}

bool frmMain::Busy() { return tbl.CalcRunning; }

// ---------------------------------------------------------------- start-up

void frmMain::InitMainWindow() {
  if (initRunning_) return;
  initRunning_ = true;
  // The screens and boxes below let window events run; should the window be
  // unloaded meanwhile, nothing more of it is touched.
  StillLoaded<frmMain> self(this);
  struct Done {
    QPointer<frmMain> w;
    ~Done() {
      if (w) w->initRunning_ = false;
    }
  } done{this};

  if (shell.ActivationCount < 100) ++shell.ActivationCount;
  if (!MainInitDone && ReadStartUpFiles()) {
    MainInitDone = true;
    if (tbl.StartMode == 1)
      MsgBox("You are now in the Stagewell." + kCR + kCR + "To load the power curve:" + kCR +
                 "  -  Click on the Engine Specs button." + kCR +
                 "  -  Select 'Full Power Curve' as the Method" + kCR +
                 "     of Describing Power Curve (if necessary)." + kCR + "  -  Click on the 'Load from Cylvane'" +
                 kCR + "     button under the power graph.",
             mb::OKOnly + mb::Information, "");
  }

  if (shell.StartupScreenShown == 0) {
    shell.StartupScreenShown = 1;
    shell.TextScreenId = 1;
    ShowStartupScreen();
    if (!self) return;
  }
  MainInitDone = true;
  BuildVehicleSummary();

  if (tbl.BeginnerLevel == 1 && shell.BeginnerNoticeShown == 0) {
    MsgBox("The program is set to 'Beginner Level', which is very helpful if you are new to this program.  Some "
           "features will be visible but disabled to make the program less confusing, and more information "
           "messages will be given to familiarize you with the program." +
               kCR + kCR +
               "You can select Experienced Level (turn off Beginner Level) at any time by clicking on Preferences "
               "shown at the top of the Main Menu.  However, until you are comfortable with the program, we "
               "recommend you DO NOT do this.",
           mb::OKOnly + mb::Information, "Beginner Level Help");
    shell.BeginnerNoticeShown = 1;
    if (!self) return;
  }
  if (shell.TipShown[20] == 0 && shell.ActivationCount > 3 && shell.ActivationCount < 40) {
    shell.ActivationCount = 100;
    DoEvents();
    shell.TipNumber = 20;
    ShowTip();
  }
}

void frmMain::ShowStartupScreen() { PrintScreen::ShowScreen(); }
void frmMain::ShowTip() { frmIntroHelp::ShowTip(); }

void frmMain::BuildVehicleSummary() {
  // The summary rewrites the example slots it owns: after a calculation.
  if (PutOffWhileCalculating(this, "summary", [this] { BuildVehicleSummary(); })) return;
  std::string caption;
  BuildMainCaption(caption);
  lblHelp->setText(
      "Click on 'Vehicle Specs' buttons to see Vehicle specs.  Click on 'Calculate Performance' or 'Calc ET' button "
      "to see performance.  Click on 'Help' in menu line for more detailed info on options.");
  ShowComments(fst.VehicleComments);
  MainCommand[4]->setVisible(tbl.StartMode == 1);
  mnuCylvane->setVisible(tbl.StartMode == 1);
  auto lines = VehicleSummaryLines();
  for (int i = 0; i < 5; ++i) Label5[i]->setText(ToQ(LabelText(lines[i])));
}

// ---------------------------------------------------------------- comments

void frmMain::ShowComments(const std::string& comments) {
  QString text = CommentsToBox(comments);
  if (Text1->toPlainText() == text) return;
  settingComments_ = true;
  Text1->setPlainText(text);
  settingComments_ = false;
}

void frmMain::Text1_Change() {
  if (settingComments_) return;
  fst.SpecsChanged = 1;
  fst.VehicleComments = CommentsFromBox(Text1->toPlainText());
}

void frmMain::Text1_LostFocus() { fst.VehicleComments = CommentsFromBox(Text1->toPlainText()); }

// ---------------------------------------------------------------- commands

namespace {

// What the racer typed into a window still open is stored before anything
// reads the vehicle or the preferences: such a window stores it as it goes,
// and a save, a run or the program's end may come first (the comments
// window stays up under a box, the main window's close ends the program
// with it).
void StoreOpenWindows() {
  StoreOpenSpecWindow();
  frmDispCmnts::StoreTyped();
  if (PrntOptns* w = DefaultInstance<PrntOptns>::IfLoaded()) w->SavePrintOptions();
  if (FileOptns* w = DefaultInstance<FileOptns>::IfLoaded()) w->StoreAsciiOptions();
}

}  // namespace

void frmMain::cmdRun_Click() {
  if (Busy()) return;
  StoreOpenWindows();
  CalculationGuard guard(this);
  CalculateShownPerformance();
}

void frmMain::cmdSave_Click() {
  if (Busy()) return;
  StoreOpenWindows();
  tbl.CalcMode = 0;
  if (fst.CurrentFileName.empty()) {
    // A new vehicle has no name to save under yet.
    SaveVehicleAs();
    return;
  }
  std::string line =
      fst.SpecsChanged != 0 ? "With the changes you've made?" : "(No changes have been made to this vehicle.)";
  int style = mb::YesNoCancel + mb::Question + (fst.SpecsChanged != 0 ? 0 : mb::DefaultButton3);
  int a = MsgBox("Do you want to update the current vehicle: " + kCR + kCR + "      " + fst.CurrentFileName + kCR +
                     kCR + line + kCR + kCR + "Click on Yes to save any changes to the Same Name." + kCR +
                     "Click on No to save the current vehicle specs to a New Name." + kCR +
                     "Click on Cancel to stop saving.",
                 style, "Save Changes to Same File Name?");
  // Yes saves exactly as "Save Vehicle" does, so a shipped example is never
  // overwritten.
  if (a == ans::Yes) mnuFilSave_Click();
  else if (a == ans::No) SaveVehicleAs();
}

void frmMain::Command1_Click(int index) {
  if (Busy()) return;
  shell.KeepSpecForm = 0;
  tbl.InstantCalcMenu = static_cast<int16_t>(index + 1);
  if (index == 3) {
    shell.TireWtBefore1 = Spec(kTires, 1);
    shell.TireWtBefore2 = Spec(kTires, 4);
    shell.TireWtRecorded = 1;
    shell.TireWtDeclined = false;
  }
  ShowSpecWindow(index + 1);
}

void frmMain::MainCommand_Click(int index) {
  if (Busy()) return;
  if (index <= 2) StoreOpenWindows();
  switch (index) {
    case 0:
      shell.MatchShown = 0;
      ShowMatchWindow();
      tbl.CalcMode = 0;
      break;
    case 1:
    case 2: {
      std::string name;
      if (index == 1 && shell.DiAccuracyAsked == 0) {
        name = "Dial In";
        shell.DiAccuracyAsked = 1;
        shell.DiAccuracyFlag = 0;
      } else if (index == 2 && shell.TsAccuracyAsked == 0) {
        name = "Throttle Stop";
        shell.TsAccuracyAsked = 1;
        shell.TsAccuracyFlag = 0;
      }
      if (!name.empty()) {
        const std::string& f = fst.CurrentFileName;
        int a = MsgBox("The " + name + " feature's accuracy depends on how close the current " + f +
                           " vehicle's specs match the vehicle you are figuring a " + name + " for." + kCR + kCR +
                           "Do the current " + f + " specs match this vehicle?",
                       mb::YesNo + mb::Question, Space(6) + name + " Accuracy       ");
        if (a == ans::No) {
          MsgBox("Adjust these specs (perhaps using the 'Match Veh Perf' option) or Open up a Vehicle File which "
                 "matches this car you are figuring a " +
                     name + " for.",
                 mb::OKOnly, "");
          return;
        }
      }
      ShowDialInWindow(index);
      break;
    }
    case 3:
      mnuFilExit_Click();
      break;
    case 4:
      mnuCylvane_Click();
      break;
    default:
      break;
  }
}

void frmMain::mnuCylvane_Click() {
  if (Busy()) return;
  int16_t quiet = 0;
  CheckCylvaneLink(quiet);
}

void frmMain::mnuUsersManual_Click() { ShowUserManual("QVZMan"); }
void frmMain::mnuSupplement_Click() { ShowUserManual("Supp"); }
void frmMain::mnuReadme_Click() { ShowTextDocument(ProgramPath("readme.doc").string(), "README.DOC"); }
void frmMain::mnuWeb_Click() { ShowWebSite(MakerAddress(), "Korvath"); }

void frmMain::ShowOptimizeMenu(const QPoint& at) {
  if (Busy()) return;
  // Its converter item follows the specs as stored.
  StillLoaded<frmMain> self(this);
  StoreOpenWindows();
  if (!self || Busy()) return;
  // Find Best Converter only makes sense on a converter car.
  mnuFindConverter->setEnabled(shell.SummaryConverter == 1);
  mnuFindBest->popup(at);
}

void frmMain::FindBest() {
  if (Busy()) return;
  // The search runs the specs as the racer typed them, as Calc ET does.
  StoreOpenWindows();
  Text1_LostFocus();
  FindBestEnd end = FindBestEnd::NotStarted;
  {
    CalculationGuard guard(this);
    SpecSearch search;
    end = search.FindBest();
  }
  // The summary shows the setting the search left.
  if (end != FindBestEnd::NotStarted) BuildVehicleSummary();
}

void frmMain::CallOpenFile() {
  UnloadChildWindows();
  Text1_LostFocus();
  fst.FileReadFailed = 0;
  OpenVehicleFile(FormId::frmMain, openmode::Choose);
  if (fst.FileReadFailed != 1) {
    std::string folder, path = fst.CurrentFilePath;
    SplitPath(folder, path, fst.CurrentFileName);
    std::string caption;
    BuildMainCaption(caption);
    if (fst.FloppyMode == 1) {
      InitMainWindow();
      fst.FloppyMode = 0;
      fst.SpecsChanged = 1;
    }
  }
}

void frmMain::mnuOpenExampleFile_Click() {
  if (Busy()) return;
  fst.ExampleLibraryMode = 1;
  tbl.CalcMode = 0;
  fst.FloppyMode = 0;
  CallOpenFile();
}

void frmMain::mnuFilLoad_Click() {
  if (Busy()) return;
  UnloadChildWindows();
  tbl.CalcMode = 0;
  fst.FloppyMode = 0;
  fst.ExampleLibraryMode = 0;
  Text1_LostFocus();
  fst.FileReadFailed = 0;
  OpenVehicleFile(FormId::frmMain, openmode::Choose);
  if (fst.FileReadFailed != 1) {
    std::string caption;
    BuildMainCaption(caption);
  }
}

bool frmMain::mnuFilSave_Click(int* error) {
  if (error) *error = 0;
  if (Busy()) return false;
  StoreOpenWindows();
  tbl.CalcMode = 0;
  fst.FloppyMode = 0;
  fst.ExampleLibraryMode = 0;
  if (fst.CurrentFileName.empty() || fst.CurrentFilePath.empty()) {
    SaveVehicleAs();
    return false;
  }
  // A shipped example vehicle is saved to the same sub-folder of the user's
  // own library, never over the example.
  std::string path = fst.CurrentFilePath;
  for (char& c : path)
    if (c == '\\') c = '/';
  long p = InStr(UCase(path), "/XVEHICLEDATA/");
  if (p > 0) {
    fst.CurrentFilePath = Left(path, p) + kVehicleFolder + Right(path, static_cast<long>(path.size()) - p - 12);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(fst.CurrentFilePath).parent_path(), ec);
  }
  fst.FileOperation = savemode::SameName;
  return SaveVehicleFile(FormId::frmMain, error);
}

void frmMain::SaveVehicleAs() {
  if (Busy()) return;
  StoreOpenWindows();
  tbl.CalcMode = 0;
  fst.FloppyMode = 0;
  fst.ExampleLibraryMode = 0;
  Text1_LostFocus();
  fst.FileOperation = savemode::SaveAs;
  SaveVehicleFile(FormId::frmMain);
  std::string caption;
  BuildMainCaption(caption);
}

void frmMain::mnuOpenFloppy_Click() {
  if (Busy()) return;
  fst.FloppyMode = 1;
  fst.ExampleLibraryMode = 0;
  CallOpenFile();
}

void frmMain::mnuCopyFloppy_Click() {
  if (Busy()) return;
  StoreOpenWindows();
  tbl.CalcMode = 0;
  fst.FloppyMode = 1;
  fst.ExampleLibraryMode = 0;
  fst.FileOperation = savemode::SaveAs;
  SaveVehicleFile(FormId::frmMain);
}

void frmMain::mnuPrintMainScreen_Click() {
  MsgBox("Unfortunately, this Main Screen can NOT be printed directly.  (Several other screens in this program "
         "can.)" +
             kCR + kCR +
             "However, if you press the <Print Screen> button on your keyboard, you can 'capture' this image.  Then "
             "you can go to some Windows graphics program like Paint, MS Publisher, MS Word, etc. and paste this "
             "image into a 'Picture' or 'Graphics' box.  Then from that program you can print this image.",
         mb::OKOnly + mb::Information, "");
}

void frmMain::mnuPrintBlankWorksheet_Click() {
  MsgBox("To print a blank worksheet, click on 'Calculate ET' at the top of the Main Screen." + kCR + kCR +
             "At the Results screen, click on 'Print' at the top of the screen to bring up the Print Options menu, "
             "which will include the 'Print Blank Worksheet' options.",
         mb::OKOnly + mb::Information, "");
}

void frmMain::mnuAbout_Click() {
  ShowOverMainWindow(DefaultInstance<frmAbout>::Get());
}

// ---------------------------------------------------------------- exit

void frmMain::RequestExit() { mnuFilExit_Click(); }

namespace {

// The library save question of the exit. The working copy keeps the changes
// for the next start only when it was written.
std::string SaveChangesQuestion(const std::string& shown, bool workingCopyWritten) {
  const std::string kept =
      workingCopyWritten
          ? "(Even if you do not save these changes to the Library copy of " + shown +
                " now, they are maintained in the temporary, working copy of " + shown +
                " which is brought up on the main screen the next time you start the program.)"
          : "(The temporary, working copy of " + shown +
                " could not be written: if you do not save these changes to the Library copy of " + shown +
                " now, they are lost when the program ends.)";
  return "Save your changes to the Library copy of:" + kCR + kCR + "   " + shown + kCR + kCR + kept;
}

// One line of what the exit could not keep, with the system's reason.
std::string NotKeptLine(const std::string& what, int error) {
  return "   - " + what + " (" + WriteErrorText(error) + ")" + kCR;
}

// The working copy the next start opens: 0 when written, else why not.
int WriteWorkingCopy() {
  int error = 0;
  fst.FileOperation = savemode::WorkingCopy;
  if (!SaveVehicleFile(FormId::frmMain, &error) && error == 0) error = EIO;
  return error;
}

// A working copy that could not be written costs the racer only what no
// other file holds: the vehicle as it is now, unless its library file holds
// it unchanged. Either way the next start brings up the old working copy,
// the one a save replaces only once the new one is whole: the racer is told
// which vehicle that is.
void AddUnwrittenWorkingCopy(const std::string& shown, int error, std::string& notKept, std::string& nextStart) {
  if (error == 0) return;
  std::error_code ec;
  const bool inLibrary = fst.SpecsChanged == 0 && !fst.CurrentFilePath.empty() &&
                         std::filesystem::is_regular_file(DiskPath(fst.CurrentFilePath), ec);
  const std::string old =
      "next start brings up " + UnsavedSpecsName(0, fst.WorkingCopyName) + " as the working copy last held it.";
  if (inLibrary) {
    nextStart =
        shown + " is kept in its Library copy, but its temporary, working copy could not be written: the " + old;
    return;
  }
  notKept = NotKeptLine("the temporary, working copy of " + shown + " with your unsaved changes", error) + notKept;
  nextStart = "The " + old;
}

// After a write of the exit failed: the racer, told what was not kept and
// why, decides whether the program ends all the same.
bool EndAnyway(const std::string& notKept, const std::string& nextStart) {
  return MsgBox("Not everything could be saved:" + kCR + kCR + notKept + kCR +
                    (nextStart.empty() ? "" : nextStart + kCR + kCR) + "Click on Yes to end the program anyway." + kCR +
                    "Click on No to keep the program running with your work on the screen.",
                mb::YesNo + mb::Exclamation + mb::DefaultButton2, "Quit Anyway ?") == ans::Yes;
}

}  // namespace

void frmMain::mnuFilExit_Click() {
  if (Busy()) {
    ExitCancelled = 1;
    return;
  }
  // What the racer pressed while a run went on was pressed before deciding
  // to quit: on the way out it must not start a run or open a window. It
  // runs once the racer stays after all, and goes when the program ends.
  HoldWaitingWork();
  struct Hold {
    bool handedOn = false;
    ~Hold() {
      if (!handedOn) ReleaseWaitingWork();
    }
  } hold;
  tbl.CalcMode = 0;
  StoreOpenWindows();
  Text1_LostFocus();
  ConfirmQuit(ExitCancelled);
  if (ExitCancelled) return;

  std::string notKept;
  int error = 0;
  const std::string shown = UnsavedSpecsName(0, fst.CurrentFileName);

  const int workingCopyError = WriteWorkingCopy();

  if (fst.SpecsChanged == 1) {
    int a = MsgBox(SaveChangesQuestion(shown, workingCopyError == 0), mb::YesNoCancel + mb::Question,
                   "Save Your Changes ?");
    if (a == ans::Cancel) {
      ExitCancelled = 1;
      return;
    }
    if (a == ans::Yes) {
      if (fst.CurrentFileName.empty() || fst.CurrentFilePath.empty()) {
        // A new vehicle needs a name first: the save-as window asks for it,
        // and the program keeps running until it has saved (then the exit
        // goes on) or is cancelled. What waits, waits for that window.
        fst.FloppyMode = 0;
        fst.ExampleLibraryMode = 0;
        fst.FileOperation = savemode::SaveAsBeforeExit;
        SaveVehicleFile(FormId::frmMain);
        ExitCancelled = 1;
        if (frmSaveFile* w = DefaultInstance<frmSaveFile>::IfLoaded()) {
          hold.handedOn = true;
          connect(w, &QObject::destroyed, [] { ReleaseWaitingWork(); });
        }
        return;
      }
      if (!mnuFilSave_Click(&error)) notKept += NotKeptLine("your changes to the Library copy of " + shown, error);
    }
  }
  EndAfterExit(notKept, shown, workingCopyError);
}

void frmMain::ExitAfterSave() {
  if (Busy() || ending_) return;
  // The working copy names the file the vehicle was just saved as.
  const int workingCopyError = WriteWorkingCopy();
  ExitCancelled = 0;
  EndAfterExit({}, fst.CurrentFileName, workingCopyError);
}

void frmMain::EndAfterExit(std::string notKept, const std::string& shown, int workingCopyError) {
  std::string nextStart;
  AddUnwrittenWorkingCopy(shown, workingCopyError, notKept, nextStart);
  int error = 0;
  // The configuration keeps the changed mark of the working copy the next
  // start brings up: the one just written, or the older one.
  if (!WriteConfiguration(workingCopyError == 0 ? fst.SpecsChanged : fst.WorkingCopyChanged, &error))
    notKept += NotKeptLine("the configuration: your preferences and run history", error);
  if (!WriteBaseRunFile(&error)) {
    MsgBox(WriteFailureText("The base run for the graphs", ProgramPath(kBaseRunFile), error),
           mb::OKOnly + mb::Exclamation, "");
    notKept += NotKeptLine("the base run for the graphs", error);
  }
  if (!notKept.empty() && !EndAnyway(notKept, nextStart)) {
    ExitCancelled = 1;
    return;
  }
  // Nothing was lost, but the next start brings up the older working copy.
  if (notKept.empty() && !nextStart.empty()) MsgBox(nextStart, mb::OKOnly + mb::Exclamation, "");

  std::error_code ec;
  std::filesystem::remove(ProgramPath(kHandOverFile), ec);
  if (tbl.StartMode == 1) {
    int16_t quiet = 1;
    CheckCylvaneLink(quiet);
  }
  ending_ = true;
  EndProgram(0);
}

void ConfirmQuit(int& cancelFlag) {
  cancelFlag = 0;
  int a = MsgBox("Quit Stagewell ?", mb::YesNoCancel + mb::Question, "");
  if (a == ans::No || a == ans::Cancel) cancelFlag = 1;
}

}  // namespace sw
