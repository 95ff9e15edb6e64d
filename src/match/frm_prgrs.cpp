#include "match/frm_prgrs.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/qt/deactivate_close.h"
#include "platform/qt/twips.h"
#include "simulation/tables.h"

namespace sw {

const char* const frmPrgrs::kMatchText =
    "The computer will try up to 100 combinations (Passes) in fine tuning a couple critical specs to match the "
    "Actual Vehicle Performance.  It is critical that most specs correctly describe your vehicle (weight, gear "
    "ratios, etc.) before using this feature.";
const char* const frmPrgrs::kFindBestText =
    "The computer will make several runs trying different settings to find the one giving the quickest ET.  For "
    "accurate results, it is critical that all other specs are set correctly before using this feature.";

namespace {
// Window height in the design counts the caption and borders.
constexpr int kFrameTwips = 400;
constexpr int kWidthTwips = 5100;

void Place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}
}  // namespace

frmPrgrs::frmPrgrs(QWidget* parent) : QDialog(parent) {
  setObjectName("frmPrgrs");
  setWindowTitle("Calculation Progress");
  // No close box: Cancel is the way to stop a run, and the caller closes it.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(false);
  // A window that runs the calculation stays as it was while this one shows
  // the run: coming back it is no new arrival (no rows filled again, the
  // cursor where it was), and where the front goes after it still counts.
  DeactivateWatch::CountAsBox(this);

  for (int i = 0; i < 2; ++i) {
    auto* heading = new QLabel(this);
    heading->setObjectName(QString("Label1_%1").arg(i));
    Label1.push_back(heading);
    auto* value = new QLabel(this);
    value->setObjectName(QString("Label2_%1").arg(i));
    value->setText("0");
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label2.push_back(value);
  }
  Label1[0]->setText("Distance Traveled, feet");
  Label1[1]->setText("Pass #");
  Place(Label1[0], 120, 120, 2400, 285);
  Place(Label2[0], 2520, 120, 780, 285);
  Place(Label1[1], 3420, 120, 650, 285);
  Place(Label2[1], 4100, 120, 700, 285);

  Label3 = new QLabel("Percent Complete", this);
  Label3->setObjectName("Label3");
  Place(Label3, 120, 480, 2000, 255);

  auto* outline = new QFrame(this);
  outline->setObjectName("Shape1_0");
  outline->setFrameStyle(QFrame::Box | QFrame::Plain);
  Place(outline, 120, 760, static_cast<int>(kBarFullWidth), 285);
  auto* bar = new QFrame(outline);
  bar->setObjectName("Shape1_1");
  bar->setAutoFillBackground(true);
  QPalette pal = bar->palette();
  pal.setColor(QPalette::Window, QColor(0, 0, 160));
  bar->setPalette(pal);
  Shape1 = {outline, bar};
  SetBarWidth(1);

  Command1 = new QPushButton("Cancel", this);
  Command1->setObjectName("Command1");
  Place(Command1, 3900, 700, 900, 375);
  // The one control that acts while a calculation runs: not through the
  // gate that puts every other window's handlers off until it has ended.
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

  Frame3D1 = new QGroupBox("Match Vehicle Performance", this);
  Frame3D1->setObjectName("Frame3D1");
  Place(Frame3D1, 120, 1400, kWidthTwips - 300, 2050);
  Label4 = new QLabel(kMatchText, Frame3D1);
  Label4->setObjectName("Label4");
  Label4->setWordWrap(true);
  Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label4->setGeometry(TwipsToPixels(150), TwipsToPixels(330), TwipsToPixels(kWidthTwips - 600),
                      TwipsToPixels(1600));

  Form_Activate();
}

void frmPrgrs::SetBarWidth(float twips) {
  barWidth_ = twips;
  double full = Shape1[0]->width();
  double px = full * static_cast<double>(twips) / kBarFullWidth;
  if (!(px >= 0)) px = 0;  // also catches NaN
  if (px > full) px = full;
  Shape1[1]->setGeometry(0, 0, static_cast<int>(px), Shape1[0]->height());
}

void frmPrgrs::Form_Activate() {
  int height = kShortHeight;
  if (tbl.CalcStatus != 0) {
    height = kTallHeight;
    if (tbl.CalcStatus == 5) Label4->setText(kFindBestText);
  }
  setFixedSize(TwipsToPixels(kWidthTwips), TwipsToPixels(height - kFrameTwips));
}

void frmPrgrs::Command1_Click() { tbl.AbortCalc = 1; }

bool frmPrgrs::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Form_Activate();
  return QDialog::event(e);
}

void frmPrgrs::showEvent(QShowEvent* e) {
  Form_Activate();
  QDialog::showEvent(e);
}

void frmPrgrs::closeEvent(QCloseEvent* e) {
  // Closing it by the system (Alt+F4, Escape) counts as Cancel; the caller
  // still closes it when the run has stopped.
  tbl.AbortCalc = 1;
  e->ignore();
}

void frmPrgrs::reject() { tbl.AbortCalc = 1; }

}  // namespace sw
