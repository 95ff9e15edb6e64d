#include "match/frm_disp.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "match/match_state.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/window_place.h"
#include "shell/user_actions.h"

namespace sw {

namespace {
QLabel* Cell(QWidget* parent, const QString& name, const QString& text = {}, bool value = false) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  if (value) {
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(90);
  }
  return l;
}
}  // namespace

frmDisp::frmDisp(QWidget* parent) : QDialog(parent) {
  setObjectName("frmDisp");
  setWindowTitle("Modifications Required to Match your Performance");
  setMinimumWidth(WidthForTitle(this));  // the title bar shows the whole title
  setAttribute(Qt::WA_DeleteOnClose);
  KeepMatchSpecs = 0;  // closing it any other way counts as going back
  new DeactivateWatch(this, [this] {
    DefaultInstance<frmDisp>::Unload();
    hide();
  });

  Label4.resize(20, nullptr);
  auto* top = new QVBoxLayout(this);

  Frame3D2 = new QGroupBox("Specs Which Have Been Changed", this);
  Frame3D2->setObjectName("Frame3D2");
  auto* specs = new QGridLayout(Frame3D2);
  Label4[14] = Cell(Frame3D2, "Label4_14", "Spec Name");
  Label4[15] = Cell(Frame3D2, "Label4_15", "New", true);
  Label4[16] = Cell(Frame3D2, "Label4_16", "Old", true);
  specs->addWidget(Label4[14], 0, 0);
  specs->addWidget(Label4[15], 0, 1);
  specs->addWidget(Label4[16], 0, 2);
  static const char* kNames[10] = {"Engine Peak Tq",       "Engine Peak HP", "Converter Capacity",
                                   "",                     "Tire Diameter",  "Tire Traction Factor",
                                   "Tire Growth",          "Engine Peak HP RPM", "Tire Construction Type",
                                   "Power Curve"};
  for (int i = 0; i < 10; ++i) {
    Label1.push_back(Cell(Frame3D2, QString("Label1_%1").arg(i), kNames[i]));
    Label2.push_back(Cell(Frame3D2, QString("Label2_%1").arg(i), {}, true));
    Label3.push_back(Cell(Frame3D2, QString("Label3_%1").arg(i), {}, true));
    specs->addWidget(Label1[i], i + 1, 0);
    specs->addWidget(Label2[i], i + 1, 1);
    specs->addWidget(Label3[i], i + 1, 2);
  }
  top->addWidget(Frame3D2);

  Frame3D1 = new QGroupBox("Performance from New Specs", this);
  Frame3D1->setObjectName("Frame3D1");
  auto* perf = new QGridLayout(Frame3D1);
  Label4[0] = Cell(Frame3D1, "Label4_0", "Specified Vehicle Perf", true);
  Label4[1] = Cell(Frame3D1, "Label4_1", "Perf Obtained from New Specs", true);
  perf->addWidget(Label4[0], 0, 1);
  perf->addWidget(Label4[1], 0, 2);
  // Row headings and their two figures: specified, obtained.
  struct Row {
    int heading, specified, obtained;
    const char* text;
  };
  static const Row kRows[] = {{2, 3, 4, "Conv Stall"}, {5, 6, 7, "60 ft"}, {8, 9, 10, "MPH"},
                              {11, 12, 13, "RPM"},      {19, 17, 18, ""}};
  int r = 1;
  for (const Row& row : kRows) {
    Label4[row.heading] = Cell(Frame3D1, QString("Label4_%1").arg(row.heading), row.text);
    Label4[row.specified] = Cell(Frame3D1, QString("Label4_%1").arg(row.specified), {}, true);
    Label4[row.obtained] = Cell(Frame3D1, QString("Label4_%1").arg(row.obtained), {}, true);
    perf->addWidget(Label4[row.heading], r, 0);
    perf->addWidget(Label4[row.specified], r, 1);
    perf->addWidget(Label4[row.obtained], r, 2);
    ++r;
  }
  Label4[17]->setText("From New Specs");
  Label4[18]->setText("From New Specs");
  Label5 = Cell(Frame3D1, "Label5");
  Label5->setWordWrap(true);
  perf->addWidget(Label5, r, 0, 1, 3);
  top->addWidget(Frame3D1);

  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(i == 0 ? "Return to Old Specs" : "Keep These New Specs", this);
    b->setObjectName(QString("Command1_%1").arg(i));
    b->setAutoDefault(false);
    OnAction(b, &QPushButton::clicked, this, "Command1_" + std::to_string(i), [this, i] { Command1_Click(i); });
    buttons->addWidget(b);
    Command1.push_back(b);
  }
  top->addLayout(buttons);
}

void frmDisp::Command1_Click(int index) {
  KeepMatchSpecs = static_cast<int16_t>(index);
  DefaultInstance<frmDisp>::Unload();
  hide();  // ends a modal exec() even when this is not the default instance
}

namespace {
// The palette colours a figure is graded with.
QColor GradeColour(int colour) {
  switch (colour) {
    case grade::Blue: return QColor(0, 0, 128);
    case grade::Red: return QColor(128, 0, 0);
    default: return QColor(0, 0, 0);
  }
}
}  // namespace

void frmDisp::Fill(const MatchResultScreen& screen) {
  for (size_t i = 0; i < screen.specs.size() && i < Label1.size(); ++i) {
    const auto& row = screen.specs[i];
    Label1[i]->setText(QString::fromStdString(row.name));
    Label2[i]->setText(QString::fromStdString(row.newValue));
    Label3[i]->setText(QString::fromStdString(row.oldValue));
    for (QLabel* l : {Label1[i], Label2[i], Label3[i]}) l->setVisible(row.visible);
  }
  for (int i : {3, 4, 6, 7, 9, 10, 12, 13, 17, 18}) {
    QLabel* l = Label4[static_cast<size_t>(i)];
    l->setText(QString::fromStdString(screen.figures[static_cast<size_t>(i)]));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, GradeColour(screen.colour[static_cast<size_t>(i)]));
    l->setPalette(pal);
  }
  Label4[19]->setText("Gear");
  for (int i : {2, 3, 4}) Label4[static_cast<size_t>(i)]->setVisible(screen.stallShown);
  Label5->setText(QString::fromStdString(screen.note));
  Label5->setVisible(!screen.note.empty());
  adjustSize();  // never narrower than its title needs: the minimum width
}

int ShowMatchResultScreen(const MatchResultScreen& screen) {
  frmDisp* d = DefaultInstance<frmDisp>::Get();
  d->Fill(screen);
  ExecModal(d);
  return KeepMatchSpecs;
}

void frmDisp::closeEvent(QCloseEvent* e) {
  DefaultInstance<frmDisp>::Forget(this);
  QDialog::closeEvent(e);
}

}  // namespace sw
