#include "results/frm_gr_options.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "files/configuration.h"
#include "platform/qt/held_under_boxes.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/qt/escape_close.h"
#include "platform/qt/kept_in_front.h"
#include "results/frm_graph.h"
#include "results/graph_plot.h"
#include "results/results_links.h"
#include "shell/frm_main.h"
#include "simulation/tables.h"
#include "shell/user_actions.h"

namespace sw {

int16_t GraphOptionsLoading = 0;

namespace {

constexpr int16_t kTrue = -1;

QRadioButton* Radio(const char* caption, const char* name, QWidget* parent) {
  auto* b = new QRadioButton(caption, parent);
  b->setObjectName(name);
  return b;
}

// Selects a radio button the way the program does: checked, the others of
// its group cleared, and no click raised (the caller runs the handler).
void Select(QRadioButton* b) {
  SetQuietly(b, [b] { b->setChecked(true); });
}

}  // namespace

frmGrOptions::frmGrOptions() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmGrOptions");
  setWindowTitle("Options for Making Graphs");
  // Opened from the graph, over the main window the results keep waiting.
  KeepInFrontOf(this, links::MainWindow());
  CloseOnEscape(this);

  // Data to Graph
  auto* data = new QGroupBox("Data to Graph", this);
  Combo1 = new PickList(data);
  Combo1->setObjectName("Combo1");
  Combo1->setAccessibleName("Data to Graph");
  (new QVBoxLayout(data))->addWidget(Combo1);

  // Baseline: whether it is drawn, and how it is chosen.
  auto* base = new QGroupBox("Baseline", this);
  Option3D1 = Radio("Graph with Baseline", "Option3D1", base);
  Option3D2 = Radio("Graph without Baseline", "Option3D2", base);
  Option3D3 = Radio("Prvs Run Always Changes to Baseline", "Option3D3", base);
  Option3D4 = Radio("Baseline is a Selected Run", "Option3D4", base);
  Command2 = new QPushButton("Select Current Run as Baseline", base);
  Command2->setObjectName("Command2");
  auto* showGroup = new QButtonGroup(this);
  showGroup->addButton(Option3D1);
  showGroup->addButton(Option3D2);
  auto* ruleGroup = new QButtonGroup(this);
  ruleGroup->addButton(Option3D3);
  ruleGroup->addButton(Option3D4);
  auto* baseLayout = new QVBoxLayout(base);
  for (QWidget* w : std::initializer_list<QWidget*>{Option3D1, Option3D2, Option3D3, Option3D4, Command2})
    baseLayout->addWidget(w);

  // Graph Labels
  auto* labels = new QGroupBox("Graph Labels", this);
  Option3D9 = Radio("Use Standard Labels", "Option3D9", labels);
  Option3D10 = Radio("Use Labels Given Here", "Option3D10", labels);
  auto* labelGroup = new QButtonGroup(this);
  labelGroup->addButton(Option3D9);
  labelGroup->addButton(Option3D10);
  Text1 = new QLineEdit(labels);
  Text2 = new QLineEdit(labels);
  Text3 = new QLineEdit(labels);
  const char* const kPanels[] = {"Current Run's Label", "Baseline Run's Label", "Plot Title"};
  QLineEdit* boxes[] = {Text1, Text2, Text3};
  auto* labelLayout = new QGridLayout(labels);
  labelLayout->addWidget(Option3D9, 0, 0, 1, 2);
  labelLayout->addWidget(Option3D10, 1, 0, 1, 2);
  for (int i = 0; i < 3; ++i) {
    boxes[i]->setObjectName(QString("Text%1").arg(i + 1));
    boxes[i]->setAccessibleName(kPanels[i]);
    auto* panel = new QLabel(kPanels[i], labels);
    panel->setBuddy(boxes[i]);
    LabelPanels.push_back(panel);
    labelLayout->addWidget(panel, 2 + i, 0);
    labelLayout->addWidget(boxes[i], 2 + i, 1);
  }

  // Plot Lines
  auto* lines = new QGroupBox("Plot Lines", this);
  Option3D7 = Radio("Thick", "Option3D7", lines);
  Option3D8 = Radio("Thin", "Option3D8", lines);
  auto* linesLayout = new QVBoxLayout(lines);
  linesLayout->addWidget(Option3D7);
  linesLayout->addWidget(Option3D8);

  // Background Color
  auto* back = new QGroupBox("Background Color", this);
  Option3D12 = Radio("Black", "Option3D12", back);
  Option3D11 = Radio("White", "Option3D11", back);
  SSOption1 = Radio("Gray", "SSOption1", back);
  auto* backLayout = new QVBoxLayout(back);
  for (QWidget* w : std::initializer_list<QWidget*>{Option3D12, Option3D11, SSOption1}) backLayout->addWidget(w);

  // Print
  auto* print = new QGroupBox("Print", this);
  Option3D6 = Radio("Color", "Option3D6", print);
  Option3D5 = Radio("Black && White", "Option3D5", print);
  Option3D5->setAccessibleName("Black & White");
  // Made in the order they are shown, so Tab goes down the group.
  auto* setup = new QPushButton("Windows Printer Setup", print);
  setup->setObjectName("Command1_1");
  auto* printNow = new QPushButton("Print Now", print);
  printNow->setObjectName("Command1_0");
  Command1 = {printNow, setup};
  auto* printLayout = new QVBoxLayout(print);
  for (QWidget* w : std::initializer_list<QWidget*>{Option3D6, Option3D5, setup, printNow}) printLayout->addWidget(w);

  Command3 = new QPushButton("OK", this);
  Command3->setObjectName("Command3");
  Command3->setDefault(true);
  Command4 = new QPushButton("Help", this);
  Command4->setObjectName("Command4");

  auto* grid = new QGridLayout();
  grid->addWidget(data, 0, 0);
  grid->addWidget(base, 1, 0, 2, 1);
  grid->addWidget(labels, 0, 1, 2, 2);
  grid->addWidget(lines, 2, 1);
  grid->addWidget(back, 2, 2);
  grid->addWidget(print, 3, 0);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(Command3);
  buttons->addWidget(Command4);
  grid->addLayout(buttons, 3, 1, 1, 2, Qt::AlignBottom);
  setLayout(grid);

  OnAction(Combo1, qOverload<int>(&QComboBox::activated), this, "Combo1", [this](int) { Combo1_Click(); });
  // A click runs an option's handler, also on the option already chosen. A
  // screen reader's action chooses an option without a click: becoming the
  // chosen one runs the handler then (a click that chose it runs it once).
  const std::pair<QRadioButton*, void (frmGrOptions::*)()> options[] = {
      {Option3D1, &frmGrOptions::Option3D1_Click}, {Option3D2, &frmGrOptions::Option3D2_Click},
      {Option3D3, &frmGrOptions::Option3D3_Click}, {Option3D4, &frmGrOptions::Option3D4_Click},
      {Option3D9, &frmGrOptions::Option3D9_Click}, {Option3D10, &frmGrOptions::Option3D10_Click},
      {Option3D7, &frmGrOptions::Option3D7_Click}, {Option3D8, &frmGrOptions::Option3D8_Click},
      {Option3D12, &frmGrOptions::Option3D12_Click}, {Option3D11, &frmGrOptions::Option3D11_Click},
      {SSOption1, &frmGrOptions::SSOption1_Click}, {Option3D6, &frmGrOptions::Option3D6_Click},
      {Option3D5, &frmGrOptions::Option3D5_Click},
  };
  for (const auto& [option, handler] : options) {
    OnAction(option, &QRadioButton::toggled, this, option->objectName().toStdString() + " toggled",
             [this, option, handler](bool on) {
               if (!on) return;
               chosenUnclicked_ = option;
               (this->*handler)();
             });
    OnAction(option, &QRadioButton::clicked, this, option->objectName().toStdString(), [this, option, handler] {
      if (std::exchange(chosenUnclicked_, nullptr) != option) (this->*handler)();
    });
  }
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { Command2_Click(); });
  OnAction(printNow, &QPushButton::clicked, this, "printNow", [this] { Command1_Click(0); });
  OnAction(setup, &QPushButton::clicked, this, "setup", [this] { Command1_Click(1); });
  OnAction(Command3, &QPushButton::clicked, this, "Command3", [this] { Command3_Click(); });
  OnAction(Command4, &QPushButton::clicked, this, "Command4", [this] { Command4_Click(); });

  // Another window of the program coming to the front puts the choices into
  // effect; boxes and dialogs of this window do not.
  watch_ = new DeactivateWatch(this, [this] { Form_Deactivate(); });
}

frmGrOptions::~frmGrOptions() { DefaultInstance<frmGrOptions>::Forget(this); }

frmGrOptions* frmGrOptions::IfLoaded() { return DefaultInstance<frmGrOptions>::IfLoaded(); }

void frmGrOptions::Unload() {
  if (frmGrOptions* w = IfLoaded()) {
    w->unloading_ = true;
    w->close();
  }
}

void frmGrOptions::closeEvent(QCloseEvent* e) {
  DefaultInstance<frmGrOptions>::Forget(this);
  unloading_ = true;
  e->accept();
}

void frmGrOptions::Open() {
  frmGrOptions* w = DefaultInstance<frmGrOptions>::Get();
  GraphOptionsLoading = 1;
  // Base rule.
  if (cfg.BaseRunMode > 1.5) {
    Select(w->Option3D4);
    w->Option3D4_Click();
    w->Command2->setEnabled(true);
  } else {
    Select(w->Option3D3);
    w->Option3D3_Click();
    w->Command2->setEnabled(false);
  }
  // Showing the base run.
  if (cfg.ShowBaseRun == kTrue) {
    Select(w->Option3D1);
    w->Option3D1_Click();
    w->SetRuleEnabled(true);
  } else {
    Select(w->Option3D2);
    w->Option3D2_Click();
    w->SetRuleEnabled(false);
  }
  // Print colour, lines, background.
  if (cfg.GraphPrintColor == 1) {
    Select(w->Option3D6);
    w->Option3D6_Click();
  } else {
    Select(w->Option3D5);
    w->Option3D5_Click();
  }
  if (cfg.ThickPlotLines == 1) {
    Select(w->Option3D7);
    w->Option3D7_Click();
  } else {
    Select(w->Option3D8);
    w->Option3D8_Click();
  }
  if (cfg.GraphBackColor == 0) {
    Select(w->Option3D12);
    w->Option3D12_Click();
  } else if (cfg.GraphBackColor == 7) {
    Select(w->SSOption1);
    w->SSOption1_Click();
  } else {
    Select(w->Option3D11);
    w->Option3D11_Click();
  }
  // Labels.
  if (cfg.StandardGraphLabels == 1) {
    Select(w->Option3D9);
    w->Option3D9_Click();
    w->SetLabelBoxesEnabled(false);
  } else {
    Select(w->Option3D10);
    w->Option3D10_Click();
    w->SetLabelBoxesEnabled(true);
  }
  w->Text2->setText(ToQ(cfg.GraphLabel1));
  w->Text1->setText(ToQ(cfg.GraphLabel2));
  w->Text3->setText(ToQ(cfg.GraphLabel3));
  ShowOverMainWindow(w);
  w->Form_Activate();
  GraphOptionsLoading = 0;
}

bool frmGrOptions::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(e);
}

void frmGrOptions::Form_Activate() {
  SetQuietly(Combo1, [this] {
    Combo1->clear();
    for (int t = 1; t <= 7; ++t) Combo1->addItem(ToQ(tbl.PlotTypeName[t]));
    Combo1->addItem(ToQ(tbl.PlotTypeName[8] + " & Engine RPM"));
    Combo1->setCurrentIndex(PlotTypeInUse(cfg.PlotType) - 1);
  });
}

void frmGrOptions::Combo1_Click() {
  if (Combo1->currentIndex() >= 0) cfg.PlotType = static_cast<int16_t>(Combo1->currentIndex() + 1);
}

void frmGrOptions::SetRuleEnabled(bool on) {
  Option3D3->setEnabled(on);
  Option3D4->setEnabled(on);
}

void frmGrOptions::SetLabelBoxesEnabled(bool on) {
  for (QLabel* p : LabelPanels) p->setEnabled(on);
  for (QLineEdit* t : {Text1, Text2, Text3}) t->setEnabled(on);
}

void frmGrOptions::Option3D1_Click() {
  cfg.ShowBaseRun = kTrue;
  const bool on = cfg.BaseRunMode > 0.5;
  Command2->setEnabled(on);
  SetRuleEnabled(on);
}

void frmGrOptions::Option3D2_Click() {
  cfg.ShowBaseRun = 0;
  Command2->setEnabled(false);
  SetRuleEnabled(false);
}

void frmGrOptions::Option3D3_Click() {
  cfg.BaseRunMode = 1;
  Command2->setEnabled(false);
}

void frmGrOptions::Option3D4_Click() {
  Command2->setEnabled(cfg.ShowBaseRun == kTrue);
  cfg.BaseRunMode = 2;
  Command2_Click();
}

void frmGrOptions::Command2_Click() {
  if (GraphOptionsLoading == 1) return;
  CopyRunLogToBaseRun();
  const std::string cr2 = std::string(1, CR) + CR;
  StillLoaded<frmGrOptions> self(this);
  InputAnswer answer = InputBox("Current run saved as Baseline run." + cr2 +
                                    "To help remind you of what this Baseline is, you might want to enter a new "
                                    "Graph Title now." +
                                    cr2 + "(Click on Cancel to leave it unchanged.)",
                                "Enter Baseline Graph Title", FromQ(Text3->text()));
  if (!answer.text.empty() && self) Text3->setText(ToQ(answer.text));
}

void frmGrOptions::Option3D9_Click() {
  cfg.StandardGraphLabels = 1;
  Select(Option3D9);
  for (QLabel* p : LabelPanels) p->setEnabled(false);
  // While the window is being filled the boxes hold nothing yet.
  if (GraphOptionsLoading != 1) {
    if (Text2->text() != "~") cfg.GraphLabel1 = FromQ(Text2->text());
    if (Text1->text() != "~") cfg.GraphLabel2 = FromQ(Text1->text());
    if (Text3->text() != "~") cfg.GraphLabel3 = FromQ(Text3->text());
  }
  for (QLineEdit* t : {Text1, Text2, Text3}) t->setEnabled(false);
}

void frmGrOptions::Option3D10_Click() {
  cfg.StandardGraphLabels = 0;
  Select(Option3D10);
  for (QLabel* p : LabelPanels) p->setEnabled(true);
  Text2->setText(ToQ(cfg.GraphLabel1));
  Text1->setText(ToQ(cfg.GraphLabel2));
  Text3->setText(ToQ(cfg.GraphLabel3));
  for (QLineEdit* t : {Text1, Text2, Text3}) t->setEnabled(true);
}

void frmGrOptions::Option3D7_Click() { cfg.ThickPlotLines = 1; }
void frmGrOptions::Option3D8_Click() { cfg.ThickPlotLines = 0; }
void frmGrOptions::Option3D12_Click() { cfg.GraphBackColor = 0; }
void frmGrOptions::Option3D11_Click() { cfg.GraphBackColor = 15; }
void frmGrOptions::SSOption1_Click() { cfg.GraphBackColor = 7; }

void frmGrOptions::Option3D6_Click() {
  cfg.GraphPrintColor = 1;
  Select(Option3D6);
}

void frmGrOptions::Option3D5_Click() {
  cfg.GraphPrintColor = 0;
  Select(Option3D5);
}

void frmGrOptions::Command1_Click(int index) {
  if (index == 1) {
    SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
    const int orientation = ShowPrinterSetup(this);
    if (orientation != 0) cfg.PrinterOrientation = static_cast<int16_t>(orientation);
    return;
  }
  if (frmGraph* g = frmGraph::IfLoaded()) g->PrintChart();
}

void frmGrOptions::StoreLabelsAndReplot() {
  cfg.GraphLabel1 = FromQ(Text2->text());
  cfg.GraphLabel2 = FromQ(Text1->text());
  cfg.GraphLabel3 = FromQ(Text3->text());
  if (frmGraph* g = frmGraph::IfLoaded()) {
    PlotResultsVsTime();
    g->update();
  }
}

void frmGrOptions::Command3_Click() {
  StoreLabelsAndReplot();
  Unload();
}

void frmGrOptions::Form_Deactivate() {
  if (unloading_) return;
  StoreLabelsAndReplot();
}

void frmGrOptions::Command4_Click() { links::ShowHelpTopic(700); }

}  // namespace sw
