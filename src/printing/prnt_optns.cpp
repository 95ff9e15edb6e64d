#include "printing/prnt_optns.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPrinter>
#include <QVBoxLayout>
#include <initializer_list>

#include "files/configuration.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/qt/escape_close.h"
#include "printing/page_canvas.h"
#include "printing/print_report.h"
#include "printing/printer_fonts.h"
#include "printing/window_image.h"
#include "shell/frm_main.h"
#include "simulation/tables.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

const char* const kLandscapeQuestion =
    "This version provides best printed test results when Page Orientation is in 'Portrait' mode.  Select "
    "'Windows Printer Setup' in the 'Print' menu to change to Portrait Orientation.";

bool PageIsLandscape(QPrinter& printer) {
  QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  return page.width() > page.height();
}

}  // namespace

PrntOptns::PrntOptns() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("PrntOptns");
  setWindowTitle("Printout Options");

  const char* captions[] = {"Print Blank Worksheet", "Print Definitions of Outputs",
                            "Print Report Using These Specs", "Close"};
  for (int i = 0; i < 4; ++i) {
    Command1[static_cast<size_t>(i)] = new QPushButton(captions[i], this);
    Command1[static_cast<size_t>(i)]->setObjectName(QString("Command1_%1").arg(i));
    OnAction(Command1[static_cast<size_t>(i)], &QPushButton::clicked, this, "Command1_" + std::to_string(i),
             [this, i] { Command1_Click(i); });
  }
  CloseOnEscape(this, [this] { Command1[3]->click(); });
  const char* boxes[] = {"Include Vehicle Specs ", "Include Vehicle Comments", "Dot Matrix Printer Adjustment",
                         "Request Report Comment", "Include 25 Test History"};
  for (int i = 0; i < 5; ++i) {
    Check3D1[static_cast<size_t>(i)] = new QCheckBox(boxes[i], this);
    Check3D1[static_cast<size_t>(i)]->setObjectName(QString("Check3D1_%1").arg(i));
  }

  Frame3D1 = new QGroupBox("Report Printing Options", this);
  Frame3D1->setObjectName("Frame3D1");
  auto* report = new QVBoxLayout(Frame3D1);
  report->addWidget(Command1[2]);
  for (QCheckBox* b : Check3D1) report->addWidget(b);

  Frame3D2 = new QGroupBox("Other Printout Types", this);
  Frame3D2->setObjectName("Frame3D2");
  auto* other = new QVBoxLayout(Frame3D2);
  other->addWidget(Command1[0]);
  other->addWidget(Command1[1]);
  other->addStretch(1);

  Frame3D3 = new QGroupBox(this);
  Frame3D3->setObjectName("Frame3D3");
  Frame3D3->setAccessibleName("Printout Options Help");
  Label1 = new QLabel("See page 103 in manual for more info.", Frame3D3);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  auto* help = new QHBoxLayout(Frame3D3);
  help->addWidget(Label1, 1);
  help->addWidget(Command1[3]);

  auto* top = new QHBoxLayout;
  top->addWidget(Frame3D1);
  top->addWidget(Frame3D2);
  auto* v = new QVBoxLayout(this);
  v->addLayout(top);
  v->addWidget(Frame3D3);
  // Tab goes as the eye reads: the report and its options, the other
  // printouts, then Close.
  QWidget* previous = Command1[2];
  for (QWidget* w : std::initializer_list<QWidget*>{Check3D1[0], Check3D1[1], Check3D1[2], Check3D1[3], Check3D1[4],
                                                    Command1[0], Command1[1], Command1[3]}) {
    setTabOrder(previous, w);
    previous = w;
  }
  setFixedSize(sizeHint());
}

PrntOptns::~PrntOptns() {
  // Deleted without a close, it keeps the options set all the same.
  if (!closed_) SavePrintOptions();
}

void PrntOptns::ShowWindow() { ShowOverMainWindow(DefaultInstance<PrntOptns>::Get()); }

void PrntOptns::Command1_Click(int index) {
  switch (index) {
    case 0:
      BlankWorksheet = 1;
      DefinitionsOnly = 0;
      break;
    case 1:
      BlankWorksheet = 0;
      DefinitionsOnly = 1;
      break;
    case 2:
      BlankWorksheet = 0;
      DefinitionsOnly = 0;
      break;
    default:
      close();
      return;
  }
  PrintReport();
}

void PrntOptns::Form_Activate() {
  for (size_t i = 0; i < Check3D1.size(); ++i)
    if (cfg.PrintOptions[i] == 1) Check3D1[i]->setChecked(true);
  Check3D1[kIncludeHistory]->setEnabled(tbl.HistoryDisplay != 0);
}

void PrntOptns::SavePrintOptions() {
  for (size_t i = 0; i < Check3D1.size(); ++i) cfg.PrintOptions[i] = Check3D1[i]->isChecked() ? 1 : 0;
}

void PrntOptns::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && !closed_) {
    if (isActiveWindow()) Form_Activate();
    else SavePrintOptions();
  }
  QWidget::changeEvent(e);
}

void PrntOptns::closeEvent(QCloseEvent* e) {
  if (!closed_) {
    closed_ = true;
    SavePrintOptions();
  }
  DefaultInstance<PrntOptns>::Forget(this);
  e->accept();
}

void PrntOptns::PrintReport() {
  QPrinter& printer = ProgramPrinter();
  SetPrinterOrientation(printer, cfg.PrinterOrientation);
  // The questions let events run: the window may be unloaded under them.
  StillLoaded<PrntOptns> self(this);
  if (PageIsLandscape(printer)) {
    const std::string prompt = std::string(kLandscapeQuestion) + CR + CR + "Stop printing now?";
    if (MsgBox(prompt, mb::YesNoCancel, "Stop Printing ?") != ans::No || !self) return;
  }

  std::array<int16_t, 5> options{};
  for (size_t i = 0; i < options.size(); ++i) options[i] = Check3D1[i]->isChecked() ? 1 : 0;
  const ReportKind kind = DefinitionsOnly == 1  ? ReportKind::Definitions
                          : BlankWorksheet == 1 ? ReportKind::Worksheet
                                                : ReportKind::Report;
  // Everything the racer is asked comes first: the pages are drawn later,
  // as often as the preview needs them.
  std::string reportComment, worksheetComment;
  if (kind != ReportKind::Definitions && options[kRequestComment] == 1)
    reportComment = InputBox("Enter a comment which will be printed at the top of each page of the report.",
                             "Report Comment")
                        .text;
  if (kind == ReportKind::Worksheet && options[kIncludeSpecs] == 1)
    worksheetComment = InputBox(std::string("Enter a comment which will be printed at the top of the Work Sheet.") +
                                    CR + CR +
                                    "Enter nothing and click on OK, or click on Cancel, to enter no comment.",
                                "Work Sheet Comment")
                           .text;
  // The comments in the main window's box, as typed so far.
  if (frmMain* main = DefaultInstance<frmMain>::IfLoaded();
      main && kind == ReportKind::Report && options[kIncludeComments] == 1)
    main->Text1_LostFocus();

  if (!self) return;
  ReportJob job = TakeReportJob(kind, options);
  if (kind == ReportKind::Definitions && !ReadDefinitionTexts(job)) return;
  job.reportComment = reportComment;
  job.worksheetComment = worksheetComment;
  job.fontName = SelectProportionalPrinterFont();

  const QString title = kind == ReportKind::Definitions ? "Definitions of Outputs"
                        : kind == ReportKind::Worksheet ? "Blank Worksheet"
                                                        : "Calculated Test Results";
  if (!PrintDocument(this, title, [job](PrintPage& page) {
        PageCanvas canvas(page);
        DrawReport(job, canvas);
      }))
    ReportPrintFailure();
}

}  // namespace sw
