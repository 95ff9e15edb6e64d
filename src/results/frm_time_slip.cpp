#include "results/frm_time_slip.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/qt/grid.h"
#include "platform/qt/escape_close.h"
#include "platform/qt/kept_in_front.h"
#include "platform/qt/text_box.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_place.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/ui.h"
#include "printing/window_image.h"
#include "results/results_links.h"
#include "files/configuration.h"
#include "results/results_state.h"
#include "results/time_slip.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

QPointer<frmTimeSlip> g_instance;

// Design sizes in twips.
constexpr int kClientWidth = 2130, kClientHeight = 3210;
constexpr int kTextLeft = 120, kTextTop = 120, kTextWidth = 1935, kTextHeight = 2655;

double ScreenWidthTwips(const QWidget* w) {
  QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!s) return 0;
  return PixelsToTwips(s->geometry().width(), w);
}

}  // namespace

frmTimeSlip* frmTimeSlip::Default() {
  if (!g_instance) g_instance = new frmTimeSlip(links::MainWindow());
  return g_instance;
}

frmTimeSlip* frmTimeSlip::IfLoaded() { return g_instance.data(); }

void frmTimeSlip::Unload() {
  if (frmTimeSlip* w = g_instance.data()) w->close();
}

void frmTimeSlip::ShowAgain() {
  Unload();
  frmTimeSlip* w = Default();
  w->show();
  w->raise();
  w->activateWindow();
}

frmTimeSlip::frmTimeSlip(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmTimeSlip");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Time Slip");
  // Opened from the results, which keep the main window waiting.
  KeepInFrontOf(this, parent);

  Text1 = new TextBox(this);
  Text1->setObjectName("Text1");
  Text1->setAccessibleName("Time Slip");
  Text1->setTabChangesFocus(true);  // Tab moves on to the buttons
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The slip's labels are padded with blanks so that its figures stand
  // right-aligned in the window's proportional font, as the tower's slip
  // shows them; a fixed-pitch font would leave them ragged.
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  auto* close = new QPushButton("Close (back)", this);
  close->setObjectName("Command1_0");
  auto* print = new QPushButton("Print", this);
  print->setObjectName("Command1_1");
  Command1 = {close, print};
  OnAction(close, &QPushButton::clicked, this, "close", [this] { Command1_Click(0); });
  OnAction(print, &QPushButton::clicked, this, "print", [this] { Command1_Click(1); });
  CloseOnEscape(this, [this] { Command1_Click(0); });

  // The designed sizes, grown where this screen's fonts need more room: the
  // slip shows 14 lines, the widest usually its date line.
  QFontMetrics fm(Text1->font());
  int widest = 0;
  for (const char* line : {"Wed Sep 30 26  12:59 pm", "1/4 MPH         127.93", "RT                    .500"})
    widest = std::max(widest, fm.horizontalAdvance(line));
  int textW = std::max(TwipsToPixels(kTextWidth, this), widest + 24);
  int textH = std::max(TwipsToPixels(kTextHeight, this), fm.lineSpacing() * 14 + 12);
  int left = TwipsToPixels(kTextLeft, this), top = TwipsToPixels(kTextTop, this);
  Text1->setGeometry(left, top, textW, textH);
  int buttonsTop = top + textH + TwipsToPixels(105, this);
  int buttonH = std::max(TwipsToPixels(255, this), QFontMetrics(font()).height() + 8);
  int printW = std::max(TwipsToPixels(615, this), QFontMetrics(font()).horizontalAdvance("Print") + 16);
  int closeW = textW - printW - TwipsToPixels(105, this);
  close->setGeometry(left, buttonsTop, closeW, buttonH);
  print->setGeometry(left + textW - printW, buttonsTop, printW, buttonH);
  int clientW = std::max(TwipsToPixels(kClientWidth, this), left * 2 + textW);
  int clientH = std::max(TwipsToPixels(kClientHeight, this), buttonsTop + buttonH + top);
  setFixedSize(clientW, clientH);
}

void frmTimeSlip::showEvent(QShowEvent* e) {
  // Each opening loads the window afresh; its first activation places and
  // fills it.
  if (!activated_) {
    activated_ = true;
    Form_Activate();
  }
  QWidget::showEvent(e);
}

void frmTimeSlip::Form_Activate() {
  PlaceTimeSlipFirstTime(ScreenWidthTwips(this));
  // The place is that of the window's inside, stored and restored alike: the
  // desktop's frame around it is not known before the window shows, so a
  // frame position put back as an inside position would walk the window up
  // by its title bar at every opening. A place on a screen no longer there
  // comes back onto one.
  const QPoint stored(TwipsToPixels(cfg.TimeSlipLeft, this), TwipsToPixels(cfg.TimeSlipTop, this));
  setGeometry(QRect(ClientPlaceOnScreen(this, stored), size()));
  Text1->setPlainText(DisplayText(TimeSlipText(SlipRun)));
}

void frmTimeSlip::Command1_Click(int index) {
  if (index == 0) {
    close();
    return;
  }
  if (index != 1) return;
  // The image of the whole window, buttons included, scaled to the page.
  // The preview may outlast the window: it prints a copy of the image.
  const WindowPicture picture = CaptureFormImage(this);
  Picture5 = picture;
  PrintPictureScaledToPage(this, "Time Slip", picture);
  Ui().SetBusyCursor(false);
}

void frmTimeSlip::closeEvent(QCloseEvent* e) {
  if (!unloaded_) {
    unloaded_ = true;
    Form_Unload();
  }
  if (g_instance == this) g_instance.clear();
  e->accept();
}

void frmTimeSlip::Form_Unload() {
  const QPoint at = geometry().topLeft();
  cfg.TimeSlipTop = static_cast<int32_t>(std::lround(PixelsToTwips(at.y(), this)));
  cfg.TimeSlipLeft = static_cast<int32_t>(std::lround(PixelsToTwips(at.x(), this)));
}

}  // namespace sw
