#include "results/frm_disp_grid.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "files/file_names.h"
#include "platform/qt/fixed_font.h"
#include "platform/qt/grid.h"
#include "platform/qt/kept_in_front.h"
#include "platform/qt/menu_bar_tips.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_lifetime.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/window_place.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "results/analysis_report.h"
#include "results/frm_graph.h"
#include "results/frm_time_slip.h"
#include "results/graph_plot.h"
#include "results/history_ops.h"
#include "results/output_definitions.h"
#include "results/results_links.h"
#include "files/configuration.h"
#include "results/results_state.h"
#include "results/results_tables.h"
#include "shell/user_actions.h"
#include "simulation/engine_curve.h"
#include "shell/frm_main.h"
#include "simulation/tables.h"

namespace sw {

namespace {

QPointer<frmDispGrid> g_instance;
int g_retrievalPauseMs = 1000;

// A failing step of the fill is passed over; the next one still runs.
void Step(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
  }
}

// The RPM of peak torque, without disturbing the engine curve the run used.
double TorquePeakRpm() { return EnginePeaksAsEntered().torqueRpm; }

double ScreenWidthTwips(const QWidget* w) {
  QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!s) return 0;
  return PixelsToTwips(s->geometry().width(), w);
}

// A column wide enough for its widest text, and never narrower than designed.
void FitColumn(Grid* g, int col, int designTwips) {
  QFontMetrics body(g->font());
  QFontMetrics head(g->horizontalHeader()->font());
  int need = head.horizontalAdvance(ToQ(g->TextAt(0, col))) + 14;
  for (int r = 1; r < g->Rows(); ++r) need = std::max(need, body.horizontalAdvance(ToQ(g->TextAt(r, col))) + 10);
  g->setColumnWidth(col, std::max(TwipsToPixels(designTwips, g), need));
}

}  // namespace

// --- instance -----------------------------------------------------------

frmDispGrid* frmDispGrid::Default() {
  if (!g_instance) g_instance = new frmDispGrid(links::MainWindow());
  return g_instance;
}

frmDispGrid* frmDispGrid::IfLoaded() { return g_instance.data(); }

void frmDispGrid::Unload() {
  if (frmDispGrid* w = g_instance.data()) w->close();
}

void frmDispGrid::SetRetrievalPauseMs(int ms) { g_retrievalPauseMs = ms; }

frmDispGrid::frmDispGrid(QWidget* parent) : QMainWindow(parent, Qt::Window) {
  setObjectName("frmDispGrid");
  setAttribute(Qt::WA_DeleteOnClose);
  // The main window waits on the results, greyed, until they close.
  KeepInFrontOf(this, parent);
  // Every fill empties the caption; a screen reader still names the window.
  setAccessibleName("Results");
  BuildControls();
  BuildMenus();
  resize(TwipsToPixels(11400, this), TwipsToPixels(9600, this));
  // Form_Load: while the results are up, nothing may start another run or
  // change the vehicle behind them.
  links::ShowMainFileButtons(false);
}

frmDispGrid::~frmDispGrid() {
  // Deleted without a close (with the main window, or by the lifetime
  // rules), it still gives the main window back its buttons and panels.
  if (!std::exchange(unloaded_, true)) Form_Unload();
  if (g_instance == this) g_instance.clear();
}

void frmDispGrid::BuildControls() {
  client_ = new QWidget(this);
  client_->setObjectName("client");
  setCentralWidget(client_);
  client_->installEventFilter(this);

  const QFont fixed = FixedPitchFont();

  auto* summary = new QLabel(client_);
  summary->setObjectName("Panel3D1_0");
  summary->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  summary->setWordWrap(true);
  summary->setMargin(3);
  auto* panel = new QLabel(client_);
  panel->setObjectName("Panel3D1_1");
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel3D1 = {summary, panel};

  for (int i = 0; i < 7; ++i) {
    auto* l = new QLabel(panel);
    l->setObjectName(QString("Label1_%1").arg(i));
    bool value = i == 2 || i == 4 || i == 6;
    if (value) l->setFont(fixed);
    // All seven start on the "Current:" line, so each heading stands beside
    // its three values.
    l->setAlignment((value ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    Label1.push_back(l);
  }

  grdOUT = new Grid(client_);
  grdOUT->setObjectName("grdOUT");
  grdOUT->setAccessibleName("Run Results");
  // Figures stand right-aligned so their decimal points line up.
  for (int c = 1; c < kResultsGridCols; ++c) grdOUT->SetColAlignment(c, Qt::AlignRight);
  Grid1 = new Grid(client_);
  Grid1->setObjectName("Grid1");
  Grid1->setAccessibleName("Test History");
  for (int c = 1; c < kHistoryGridCols; ++c) Grid1->SetColAlignment(c, Qt::AlignRight);
  Grid1->setVisible(false);

  Label2 = new QLabel(ToQ(kHistoryHelpLine), client_);
  Label2->setObjectName("Label2");
  Label2->setWordWrap(true);
  Label2->setVisible(false);

  cmdNotes = new QPushButton("Notes", client_);
  cmdNotes->setObjectName("cmdNotes");
  Command1 = new QPushButton("Cmnts", client_);
  Command1->setObjectName("Command1");
  cmdGraph = new QPushButton("Graph", client_);
  cmdGraph->setObjectName("cmdGraph");
  cmdPrint = new QPushButton("Print", client_);
  cmdPrint->setObjectName("cmdPrint");
  Command2 = new QPushButton("Back", client_);
  Command2->setObjectName("Command2");
  Command2->setGeometry(-2000, -2000, 60, 20);

  OnAction(cmdNotes, &QPushButton::clicked, this, "cmdNotes", [this] { cmdNotes_Click(); });
  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { Command1_Click(); });
  OnAction(cmdGraph, &QPushButton::clicked, this, "cmdGraph", [this] { cmdGraph_Click(); });
  OnAction(cmdPrint, &QPushButton::clicked, this, "cmdPrint", [this] { mnuPrgrmPrinterSetup_Click(); });
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { close(); });
  OnAction(grdOUT, &Grid::Click, this, "grdOUT Click", [this](int, int) { grdOUT_Click(); });
  OnAction(Grid1, &Grid::MouseUp, this, "Grid1 MouseUp",
           [this](Qt::MouseButton, int, int, QPoint at) { Grid1_MouseUp(at); });
}

void frmDispGrid::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setNativeMenuBar(false);
  // The greyed Graph and Analyze say why, as the greyed buttons do.
  ShowMenuBarToolTips(bar);

  mnuClose = bar->addAction("Back   ");
  OnAction(mnuClose, &QAction::triggered, this, "mnuClose", [this] { close(); });

  QMenu* graph = bar->addMenu("Graph   ");
  mnuGraph = graph->menuAction();
  mnuGraphGraph = graph->addAction("graph");
  OnAction(mnuGraphGraph, &QAction::triggered, this, "mnuGraphGraph", [this] { cmdGraph_Click(); });

  QMenu* print = bar->addMenu("Print   ");
  print->setToolTipsVisible(true);
  mnuPrint = print->menuAction();
  mnuPrintPrint = print->addAction("Print Results");
  mnuWorksheet = print->addAction("Print Blank Worksheet");
  print->addSeparator();
  mnuPrintSetup = print->addAction("Windows Printer Setup");
  mnuPrgrmPrinterSetup = print->addAction("Program Printer Setup");
  for (QAction* a : {mnuPrintPrint, mnuWorksheet, mnuPrgrmPrinterSetup})
    OnAction(a, &QAction::triggered, this, a->objectName().toStdString(), [this] { mnuPrgrmPrinterSetup_Click(); });
  OnAction(mnuPrintSetup, &QAction::triggered, this, "mnuPrintSetup", [this] { mnuPrintSetup_Click(); });
  print->addSeparator();
  mnuAsciiFile = print->addAction("Save Results as ASCII File");
  OnAction(mnuAsciiFile, &QAction::triggered, this, "mnuAsciiFile", [this] { mnuAsciiFile_Click(); });

  mnuAnalyze = bar->addAction("&Analyze   ");
  OnAction(mnuAnalyze, &QAction::triggered, this, "mnuAnalyze", [this] { mnuAnalyze_Click(); });

  mnuHistoryMenu = bar->addMenu("History   ");
  mnuHistory = mnuHistoryMenu->menuAction();
  mnuHideHistory = mnuHistoryMenu->addAction("Hide History");
  mnuShowHistory = mnuHistoryMenu->addAction("Show History Now");
  mnuAlwaysShowHistory = mnuHistoryMenu->addAction("Always Show History");
  for (QAction* a : {mnuHideHistory, mnuShowHistory, mnuAlwaysShowHistory}) a->setCheckable(true);
  mnuHistoryMenu->addSeparator();
  mnuClearHistory = mnuHistoryMenu->addAction("Clear History");
  connect(mnuHistoryMenu, &QMenu::aboutToShow, this, [this] { mnuHistory_Click(); });
  OnAction(mnuHideHistory, &QAction::triggered, this, "mnuHideHistory", [this] { mnuHideHistory_Click(); });
  OnAction(mnuShowHistory, &QAction::triggered, this, "mnuShowHistory", [this] { mnuShowHistory_Click(); });
  OnAction(mnuAlwaysShowHistory, &QAction::triggered, this, "mnuAlwaysShowHistory",
           [this] { mnuAlwaysShowHistory_Click(); });
  OnAction(mnuClearHistory, &QAction::triggered, this, "mnuClearHistory", [this] { mnuClearHistory_Click(); });

  mnuTimeSlip = bar->addAction("Time Slip");
  OnAction(mnuTimeSlip, &QAction::triggered, this, "mnuTimeSlip", [this] { mnuTimeSlip_Click(); });

  mnuHelp = bar->addAction("Help   ");
  OnAction(mnuHelp, &QAction::triggered, this, "mnuHelp", [this] { mnuHelp_Click(); });

  mnuCylvane = bar->addAction("Cylvane");
  OnAction(mnuCylvane, &QAction::triggered, this, "mnuCylvane", [this] { mnuCylvane_Click(); });
  mnuCylvane->setVisible(false);

  mnuGridPopUp = new QMenu("Grid Pop Up", this);
  mnuGridOpen = mnuGridPopUp->addAction("Open (retrieve these specs)");
  mnuGridShowHelp = mnuGridPopUp->addAction("Show Help Describing This Column");
  mnuGridRename = mnuGridPopUp->addAction("Rename Test");
  mnuGridTimeSlip = mnuGridPopUp->addAction("Show Time Slip");
  mnuGridPopUp->setToolTipsVisible(true);
  OnAction(mnuGridOpen, &QAction::triggered, this, "mnuGridOpen", [this] { mnuGridOpen_Click(); });
  OnAction(mnuGridShowHelp, &QAction::triggered, this, "mnuGridShowHelp", [this] { mnuGridShowHelp_Click(); });
  OnAction(mnuGridRename, &QAction::triggered, this, "mnuGridRename", [this] { mnuGridRename_Click(); });
  OnAction(mnuGridTimeSlip, &QAction::triggered, this, "mnuGridTimeSlip", [this] { mnuGridTimeSlip_Click(); });
}

// --- fill ---------------------------------------------------------------

void ShowResultsAndNotes() {
  // Made before the window is loaded, so the main window's buttons are hidden
  // by the load and the notes see the headings' row 0 only after the fill.
  frmDispGrid::Default()->Fill();
}

void frmDispGrid::Fill() {
  NotesSummary notes;
  Step([&] { mnuCylvane->setVisible(tbl.StartMode == 1); });
  Step([&] {
    notes = BuildNotesSummary(TorquePeakRpm());
    SetSummary(notes.caption, notes.emphasis);
  });
  Step([&] {
    GridReady = 0;
    setWindowTitle("");
    grdOUT->SetRows(ResultsGridRows());
    grdOUT->SetCols(kResultsGridCols);
  });
  Step([&] { WriteResultsHeadings(); });
  Step([&] {
    GridReady = 1;
    for (int r = 0; r < grdOUT->Rows(); ++r)
      for (int c = 0; c < kResultsGridCols; ++c) grdOUT->SetTextAt(r, c, tbl.ResultsText[c][r]);
  });
  Step([&] {
    if (tbl.HistoryDisplay != 0) {
      Grid1->setVisible(true);
      FillHistoryGrid();
    } else {
      Grid1->setVisible(false);
    }
  });
  Step([&] {
    auto texts = PanelTexts();
    for (int i = 0; i < 7; ++i) Label1[i]->setText(DisplayText(texts[i]));
  });
  Step([&] {
    grdOUT->SetRow(0);
    grdOUT->SetCol(0);
    grdOUT->scrollToTop();
    Form_Resize();
    KeepMinimumSize();
    FitWidthToGrids();
    Ui().SetBusyCursor(false);
    if (!placed_) {
      placed_ = true;
      PlaceOver(this, links::MainWindow());
    }
    show();
    raise();
    activateWindow();
  });
  Step([&] { ShowBeginnerNote(notes); });
  Step([&] {
    if (cfg.AutoTimeSlip > 1) {
      SlipRun = 0;
      frmTimeSlip::ShowAgain();
    }
  });
}

void frmDispGrid::FillHistoryGrid() {
  auto cells = HistoryGridCells();
  Grid1->SetRows(kHistoryGridRows);
  Grid1->SetCols(kHistoryGridCols);
  for (int r = 0; r < kHistoryGridRows; ++r)
    for (int c = 0; c < kHistoryGridCols; ++c) Grid1->SetTextAt(r, c, cells[r][c]);
}

void frmDispGrid::SetSummary(const std::string& caption, bool emphasis) {
  emphasis_ = emphasis;
  QLabel* p = Panel3D1[0];
  p->setText(ToQ(caption));
  p->setProperty("emphasis", emphasis);
  QFont f = font();
  f.setBold(emphasis);
  p->setFont(f);
  QPalette pal = palette();
  if (emphasis) pal.setColor(QPalette::WindowText, QColor(176, 0, 0));
  p->setPalette(pal);
}

// --- layout -------------------------------------------------------------

void frmDispGrid::keyPressEvent(QKeyEvent* e) {
  // Escape is the hidden Back button.
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    Command2->click();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

bool frmDispGrid::eventFilter(QObject* watched, QEvent* e) {
  if (watched == client_ && e->type() == QEvent::Resize) Form_Resize();
  return QMainWindow::eventFilter(watched, e);
}

void frmDispGrid::Form_Resize() {
  const int W = client_->width(), H = client_->height();
  if (H <= 0 || W <= 0) return;
  const int gap = TwipsToPixels(60, this);

  // The current / last / improvement panel at the designed places, widened
  // where this screen's font needs more room than the design's.
  static const int kLeft[7] = {30, 990, 1230, 2040, 2400, 3240, 3600};
  static const int kWidth[7] = {975, 255, 615, 375, 600, 375, 480};
  int x = 0, panelH = TwipsToPixels(645, this);
  for (auto* l : Label1) panelH = std::max(panelH, l->sizeHint().height());
  int top = TwipsToPixels(15, this);
  for (int i = 0; i < 7; ++i) {
    int designLeft = TwipsToPixels(kLeft[i], this);
    x = std::max(x, designLeft);
    int w = std::max(TwipsToPixels(kWidth[i], this), Label1[i]->sizeHint().width() + 4);
    Label1[i]->setGeometry(x, top, w, panelH);
    x += w + (i % 2 == 0 ? TwipsToPixels(180, this) : 4);
  }
  Panel3D1[1]->setGeometry(gap, gap, x + gap, panelH + 2 * top);

  // The buttons to its right, the summary line under them.
  const int right = Panel3D1[1]->geometry().right() + 2 * gap;
  int bx = right;
  const int bh = std::max(TwipsToPixels(330, this), cmdNotes->sizeHint().height());
  for (QPushButton* b : {cmdNotes, Command1, cmdGraph, cmdPrint}) {
    int bw = std::max(TwipsToPixels(900, this), b->sizeHint().width());
    b->setGeometry(bx, gap, bw, bh);
    bx += bw + gap;
  }
  const int summaryTop = gap + bh + gap;
  const int summaryW = std::max(W - right - gap, 1);
  const int summaryH = SummaryHeight(W);
  Panel3D1[0]->setGeometry(right, summaryTop, summaryW, summaryH);

  // The run table from under the summary line, 0.52 of the height with the
  // history shown, 0.88 without; never into the history or off the bottom.
  const bool history = tbl.HistoryDisplay != 0;
  const int gridTop = GridTop(W);
  int historyTop = static_cast<int>(0.65 * H);
  int labelH = Label2->heightForWidth(W);
  int gridH = static_cast<int>((history ? 0.52 : 0.88) * H);
  int room = (history ? historyTop - labelH - gap : H) - gridTop;
  grdOUT->setGeometry(0, gridTop, W, std::max(std::min(gridH, room), 0));
  Label2->setVisible(history);
  Label2->setGeometry(gap, historyTop - labelH - gap / 2, W - 2 * gap, labelH);
  for (int c = 0; c < grdOUT->Cols(); ++c) FitColumn(grdOUT, c, 833);

  Grid1->setGeometry(0, historyTop, W, static_cast<int>(0.3 * H));
  for (int c = 0; c < Grid1->Cols(); ++c)
    FitColumn(Grid1, c, c == 0 ? HistoryTitleColumnTwips(ScreenWidthTwips(this)) : HistoryColumnTwips(c));
}

// The panel's buttons and the summary line beside the panel: the summary
// wraps to as many lines as a window `width` wide needs.
int frmDispGrid::SummaryHeight(int width) const {
  const int gap = TwipsToPixels(60, this);
  const int right = Panel3D1[1]->geometry().right() + 2 * gap;
  const int summaryTop = cmdNotes->geometry().bottom() + 1 + gap;
  const int summaryW = std::max(width - right - gap, 1);
  int h = std::max(Panel3D1[0]->heightForWidth(summaryW), Panel3D1[0]->sizeHint().height());
  return std::max(h, Panel3D1[1]->geometry().bottom() - summaryTop + 1);
}

int frmDispGrid::GridTop(int width) const {
  const int gap = TwipsToPixels(60, this);
  const int summaryTop = cmdNotes->geometry().bottom() + 1 + gap;
  return std::max(summaryTop + SummaryHeight(width), Panel3D1[1]->geometry().bottom()) + gap;
}

void frmDispGrid::KeepMinimumSize() {
  // Never so small that the panel, its buttons or the first rows of the run
  // table (and of the history, when shown) leave the window: below this the
  // window stops shrinking, above it the grids scroll.
  constexpr int kRunRows = 4, kHistoryRows = 2;
  const int gap = TwipsToPixels(60, this);
  const int width = cmdPrint->geometry().right() + 1 + gap;
  auto gridNeeds = [](const Grid* g, int rows) {
    return 2 * g->frameWidth() + g->horizontalHeader()->sizeHint().height() +
           rows * g->verticalHeader()->defaultSectionSize() + g->horizontalScrollBar()->sizeHint().height();
  };
  const int run = gridNeeds(grdOUT, kRunRows);
  const int top = GridTop(width);
  double height = 0;
  if (tbl.HistoryDisplay != 0) {
    const int labelH = Label2->heightForWidth(width);
    height = std::max({run / 0.52, (top + run + labelH + gap) / 0.65, gridNeeds(Grid1, kHistoryRows) / 0.3});
  } else {
    height = std::max(run / 0.88, double(top + run));
  }
  client_->setMinimumSize(width, static_cast<int>(std::ceil(height)) + 1);
}

void frmDispGrid::FitWidthToGrids() {
  auto need = [](const Grid* g) {
    int w = 2 * g->frameWidth() + g->verticalScrollBar()->sizeHint().width() + 2;
    for (int c = 0; c < g->Cols(); ++c) w += g->columnWidth(c);
    return w;
  };
  int want = need(grdOUT);
  if (Grid1->isVisibleTo(this)) want = std::max(want, need(Grid1));
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (s) want = std::min(want, s->availableGeometry().width() - 8);
  if (width() < want) {
    resize(want, height());
    Form_Resize();
  }
}

// --- closing ------------------------------------------------------------

void frmDispGrid::closeEvent(QCloseEvent* e) {
  // The run being calculated still writes the tables this window hands on:
  // the window closes once it has ended.
  if (tbl.CalcRunning) {
    e->ignore();
    PutOffWhileCalculating(this, "close", [this] { close(); });
    return;
  }
  if (!std::exchange(unloaded_, true)) Form_Unload();
  if (g_instance == this) g_instance.clear();
  MarkUnloaded(this);
  e->accept();
}

void frmDispGrid::Form_Unload() {
  links::RestoreMainPanels();
  links::ShowMainFileButtons(true);
  // The run just shown becomes the base run of the graphs, unless the racer
  // fixed one.
  if (cfg.BaseRunMode != 2) {
    CopyRunLogToBaseRun();
    cfg.BaseRunMode = 1;
  }
}

// --- buttons and menus --------------------------------------------------

void frmDispGrid::cmdNotes_Click() { ShowNotes(); }

void frmDispGrid::Command1_Click() { links::ShowCommentsWindow(); }

void frmDispGrid::cmdGraph_Click() {
  if (tbl.FromHistory == 1) {
    MsgBox("Graphs not available after retrieving a file from History until you recalculate performance.");
    return;
  }
  frmGraph::ShowGraph();
}

void frmDispGrid::mnuAnalyze_Click() {
  if (tbl.FromHistory == 1) {
    MsgBox("Analysis not available after retrieving a file from History until you recalculate performance.");
    return;
  }
  MakeAnalysisReport();
}

void frmDispGrid::mnuPrintSetup_Click() {
  SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
  int orientation = ShowPrinterSetup(this);
  if (orientation != 0) cfg.PrinterOrientation = static_cast<int16_t>(orientation);
}

void frmDispGrid::mnuPrgrmPrinterSetup_Click() { links::ShowPrintOptions(); }

void frmDispGrid::mnuAsciiFile_Click() { links::ShowAsciiExport(); }

void frmDispGrid::mnuHelp_Click() { links::ShowHelpTopic(900); }

void frmDispGrid::mnuCylvane_Click() { links::CheckCylvaneLink(); }

void frmDispGrid::mnuTimeSlip_Click() {
  SlipRun = 0;
  frmTimeSlip::ShowAgain();
}

// --- history ------------------------------------------------------------

void frmDispGrid::mnuHistory_Click() {
  mnuHideHistory->setChecked(tbl.HistoryDisplay != 1 && tbl.HistoryDisplay != 2);
  mnuShowHistory->setChecked(tbl.HistoryDisplay == 1);
  mnuAlwaysShowHistory->setChecked(tbl.HistoryDisplay == 2);
}

void frmDispGrid::SetHistoryDisplay(int16_t display) {
  if (tbl.CalcRunning) return;
  tbl.HistoryDisplay = display;
  Form_Resize();
  ShowResultsAndNotes();
}

void frmDispGrid::mnuHideHistory_Click() { SetHistoryDisplay(0); }
void frmDispGrid::mnuShowHistory_Click() { SetHistoryDisplay(1); }
void frmDispGrid::mnuAlwaysShowHistory_Click() { SetHistoryDisplay(2); }

void frmDispGrid::mnuClearHistory_Click() {
  if (tbl.CalcRunning) return;
  if (ClearHistory()) ShowResultsAndNotes();
}

void frmDispGrid::Grid1_MouseUp(const QPoint& globalPos) { mnuGridPopUp->popup(globalPos); }

void frmDispGrid::mnuGridRename_Click() {
  if (tbl.CalcRunning) return;
  ClickedRow = static_cast<int16_t>(Grid1->Row());
  ClickedCol = static_cast<int16_t>(Grid1->Col());
  const int e = ClickedRow - 1;
  if (e < 0) return;  // the heading row holds no test
  const int16_t row = ClickedRow;
  StillLoaded<frmDispGrid> self(this);
  if (RenameTest(e) && self) Grid1->SetTextAt(row, 0, tbl.HistoryTitle[e]);
}

void frmDispGrid::mnuGridTimeSlip_Click() {
  ClickedRow = static_cast<int16_t>(Grid1->Row());
  ClickedCol = static_cast<int16_t>(Grid1->Col());
  const int e = ClickedRow - 1;
  // The heading row and the rows without a run have no slip to show.
  if (e < 0 || !IsValidTest(e)) return;
  SlipRun = static_cast<int16_t>(e);
  frmTimeSlip::ShowAgain();
}

void frmDispGrid::mnuGridOpen_Click() {
  // Never replace the specs under a run that is being calculated.
  if (tbl.CalcRunning) return;
  ClickedRow = static_cast<int16_t>(Grid1->Row());
  ClickedCol = static_cast<int16_t>(Grid1->Col());
  const int e = ClickedRow - 1;
  if (e < 0) return;  // the heading row holds no test
  if (!IsValidTest(e)) {
    MsgBox(kMsgNotValidOpen);
    return;
  }
  if (!CheckHistoryCopy(e)) {
    MsgBox(kMsgHistoryCopyLost);
    return;
  }
  if (links::SpecsChanged()) {
    int a = MsgBox(SaveChangesQuestion(0, links::CurrentFileName()), mb::YesNoCancel + mb::Question,
                   "Update Current File before Retrieving New Vehicle");
    if (a == ans::Cancel) return;
    if (a == ans::Yes) {
      // The save-as window saves the vehicle and then retrieves the run
      // itself; Cancel there leaves this window as it is.
      links::SaveThenRetrieveHistory(e);
      return;
    }
  }
  if (!links::OpenHistoryCopy(e)) return;

  const std::string title = tbl.HistoryTitle[e];
  QElapsedTimer pause;
  pause.start();
  while (pause.elapsed() < g_retrievalPauseMs) {
    DoEvents();
    QThread::msleep(10);
  }
  Unload();
  const std::string cr2 = std::string(1, CR) + CR;
  MsgBox("File for:" + cr2 + "    " + title + cr2 + "successfully retrieved.");
  links::RefreshVehicleSummary();
}

void frmDispGrid::ShowRetrievalUnderWay() {
  Panel3D1[0]->setText("Notes Summary:");
  Label1[2]->clear();
  Label1[4]->clear();
}

// --- definitions --------------------------------------------------------

void frmDispGrid::grdOUT_Click() {
  if (GridReady != 1) return;
  ClickedCol = static_cast<int16_t>(grdOUT->Col());
  ClickedRow = static_cast<int16_t>(grdOUT->Row());
  // "Back" may unload the window while the definition is shown.
  StillLoaded<frmDispGrid> self(this);
  ShowResultDefinition();
  if (self) cmdGraph->setFocus();
}

void frmDispGrid::mnuGridShowHelp_Click() {
  ClickedRow = static_cast<int16_t>(Grid1->Row());
  if (GridReady != 1) return;
  ClickedCol = static_cast<int16_t>(Grid1->Col() + 11);
  ClickedRow = static_cast<int16_t>(Grid1->Row());
  StillLoaded<frmDispGrid> self(this);
  ShowResultDefinition();
  if (self) cmdGraph->setFocus();
}

void frmDispGrid::ShowResultDefinition() {
  std::string definition;
  ReadOutputDefinition(ClickedCol, definition);
  if (ClickedCol >= 11) {
    Grid1->SetRow(0);
    Grid1->SetCol(ClickedCol - 11);
    MsgBox(HistoryDefinitionMessage(Grid1->Text(), definition));
    return;
  }
  const int row = std::clamp<int>(ClickedRow, 0, grdOUT->Rows() - 1);
  const int col = std::clamp<int>(ClickedCol, 0, kResultsGridCols - 1);
  grdOUT->SetRow(0);
  grdOUT->SetCol(col);
  const std::string heading = grdOUT->Text();
  if (row == 0) {
    // A heading has no value of its own: its definition alone.
    MsgBox(HistoryDefinitionMessage(heading, definition), mb::OKOnly, "Definitions of Results");
    return;
  }
  grdOUT->SetRow(row);
  grdOUT->SetCol(1);
  const std::string time = grdOUT->Text();
  grdOUT->SetCol(2);
  const std::string speed = grdOUT->Text();
  grdOUT->SetCol(4);
  const std::string distance = grdOUT->Text();
  MsgBox(ResultDefinitionMessage(heading, tbl.ResultsText[col][row], time, speed, distance, definition), mb::OKOnly,
         "Definitions of Results");
}

}  // namespace sw
