#include "results/anls_rprt.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "files/configuration.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/fixed_font.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/text_box.h"
#include "platform/qt/twips.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/printer_fonts.h"
#include "results/report_pages.h"
#include "results/results_links.h"
#include "shell/frm_main.h"
#include "shell/user_actions.h"

namespace sw {

namespace {
constexpr double kPrintPoints = 10;
}

AnlsRprt::AnlsRprt() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("AnlsRprt");
  setWindowTitle("Analysis Report");

  Text1 = new TextBox(this);
  Text1->setObjectName("Text1");
  Text1->setAccessibleName("Report text");
  Text1->setReadOnly(true);
  Text1->setFont(FixedPitchFont());
  Text1->setMinimumSize(TwipsToPixels(9135), TwipsToPixels(3975));

  auto* print = new QPushButton("Print", this);
  print->setObjectName("Command1_0");
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Command1_1");
  Command1 = {print, cancel};
  for (QPushButton* b : Command1) b->setMinimumWidth(TwipsToPixels(2535));
  OnAction(print, &QPushButton::clicked, this, "print", [this] { Command1_Click(0); });
  OnAction(cancel, &QPushButton::clicked, this, "cancel", [this] { Command1_Click(1); });

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(print);
  buttons->addStretch(1);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Text1, 1);
  v->addLayout(buttons);
}

AnlsRprt::~AnlsRprt() { DefaultInstance<AnlsRprt>::Forget(this); }

AnlsRprt* AnlsRprt::Default() { return DefaultInstance<AnlsRprt>::Get(); }
AnlsRprt* AnlsRprt::IfLoaded() { return DefaultInstance<AnlsRprt>::IfLoaded(); }

void AnlsRprt::ShowText(const std::string& text) {
  AnlsRprt* w = Default();
  w->Text1->setPlainText(DisplayText(text));
  ShowOverMainWindow(w);
}

void AnlsRprt::closeEvent(QCloseEvent* e) {
  DefaultInstance<AnlsRprt>::Forget(this);
  e->accept();
}

void AnlsRprt::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

std::vector<std::vector<std::string>> AnlsRprt::PrintPages(PrintPage& page, const std::string& time) const {
  SelectFixedPrinterFont(page);
  page.SetFontSize(kPrintPoints);
  const double charWidth = std::max(1.0, page.TextWidth("0123456789") / 10);
  const double lineHeight = std::max(1.0, page.TextHeight());
  const int columns = static_cast<int>(page.ScaleWidth() / charWidth);
  const int linesPerPage = static_cast<int>(page.ScaleHeight() / lineHeight) - 3;
  const auto pages = PaginateText(FromQ(Text1->toPlainText()), columns, linesPerPage);
  const std::string date = FormatDate(LocalNow(), "mm-dd-yyyy");
  const int count = static_cast<int>(pages.size());
  std::vector<std::vector<std::string>> printed;
  for (int p = 1; p <= count; ++p) {
    if (p > 1) page.NewPage();
    printed.emplace_back();
    for (const std::string& line : ReportPageHeader(links::CurrentFileName(), date, time, p, count)) {
      page.Print(line);
      printed.back().push_back(line);
    }
    for (const std::string& line : pages[p - 1]) {
      page.Print(line);
      printed.back().push_back(line);
    }
  }
  return printed;
}

void AnlsRprt::Command1_Click(int index) {
  if (index == 1) {
    close();
    return;
  }
  BusyCursor busy;
  const std::string time = FormatDate(LocalNow(), "h:mm:ss am/pm");
  SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
  if (!PrintDocument(this, "Analysis Report", [this, &time](PrintPage& page) { PrintPages(page, time); }) &&
      LastPrintFailed())
    MsgBox("The report could not be printed.", mb::Exclamation);
  DoEvents();
}

}  // namespace sw
