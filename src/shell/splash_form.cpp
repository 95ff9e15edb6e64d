#include "shell/splash_form.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/qt/default_instance.h"
#include "platform/ui.h"
#include "shell/artwork.h"
#include "shell/frm_main.h"

namespace sw {

SplashForm::SplashForm(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("SplashForm");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 12);
  imgSplash = new QLabel(this);
  imgSplash->setObjectName("imgSplash");
  imgSplash->setPixmap(ProductPicture(420, 240));
  v->addWidget(imgSplash);
  Label1 = new QLabel("Stagewell v3.2", this);
  Label1->setObjectName("Label1");
  QFont big = Label1->font();
  big.setPointSizeF(big.pointSizeF() * 2.0);
  big.setBold(true);
  Label1->setFont(big);
  Label1->setAlignment(Qt::AlignCenter);
  v->addWidget(Label1);
  Label2 = new QLabel("Korvath Inc.", this);
  Label2->setObjectName("Label2");
  Label2->setAlignment(Qt::AlignCenter);
  v->addWidget(Label2);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(16, 22, 42));
  pal.setColor(QPalette::WindowText, QColor(240, 240, 240));
  setPalette(pal);
  setAutoFillBackground(true);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(3000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  Timer1->start();
}

void SplashForm::Timer1_Timer() {
  Form_Unload();
  DefaultInstance<SplashForm>::Unload();
  if (frmMain* w = DefaultInstance<frmMain>::IfLoaded()) w->setEnabled(true);
}

void SplashForm::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  frmMain* w = DefaultInstance<frmMain>::IfLoaded();
  if (w) w->setEnabled(true);
  hide();
  Ui().SetBusyCursor(false);
  if (w && !ProgramEnding()) {
    w->show();
    w->Command1[0]->setFocus();
  }
}

void SplashForm::closeEvent(QCloseEvent* e) {
  Form_Unload();
  DefaultInstance<SplashForm>::Forget(this);
  QWidget::closeEvent(e);
}

}  // namespace sw
