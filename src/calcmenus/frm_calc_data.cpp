#include "calcmenus/frm_calc_data.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "files/calculator_writeback.h"
#include "files/file_names.h"
#include "files/file_state.h"
#include "files/help_pages.h"
#include "platform/qt/held_under_boxes.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_place.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/window_image.h"
#include "platform/qt/escape_close.h"
#include "shell/user_actions.h"
#include "shell/frm_main.h"
#include "shell/help_form.h"
#include "shell/shell_state.h"
#include "simulation/calculator_formulas.h"
#include "specs/preset_lists.h"
#include "simulation/tables.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"
#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

// The window was designed for an 8 point system font, 13 pixels a line:
// larger fonts stretch every position and size alike.
constexpr double kDesignLineHeight = 13.0;

void Place(QWidget* w, int left, int top, int width, int height) { w->setGeometry(left, top, width, height); }

QStringList ToQList(const std::vector<std::string>& texts) {
  QStringList out;
  for (const std::string& t : texts) out << ToQ(t);
  return out;
}

}  // namespace

frmCalcData* OpenCalculator(QWidget* callingWindow, int calcMenuNumber) {
  shell.KeepSpecForm = 1;
  shell.CalcMenuNumber = static_cast<int16_t>(calcMenuNumber);
  DefaultInstance<frmCalcData>::Unload();
  frmCalcData* w = DefaultInstance<frmCalcData>::Get();
  if (!w->Form_Load()) {
    DefaultInstance<frmCalcData>::Unload();
    return nullptr;
  }
  // It stands beside the window it was opened from, so that the rows it
  // writes into stay in sight (against the screen's edge when that window
  // leaves too little room); on a small screen, at its designed place over
  // that window.
  QWidget* anchor = callingWindow ? callingWindow->window() : DefaultInstance<frmMain>::IfLoaded();
  if (anchor) w->setParent(anchor, Qt::Window);
  const QRect from = anchor ? anchor->frameGeometry() : QRect();
  QPoint at = from.topLeft() + QPoint(TwipsToPixels(5100, w), TwipsToPixels(320, w));
  if (anchor && anchor->screen()) {
    const QRect free = anchor->screen()->availableGeometry();
    const QMargins frame = ExpectedFrame(w);
    const int outerWidth = w->width() + frame.left() + frame.right();
    const int beside = std::min(from.right() + 8, free.right() - outerWidth - 8);
    if (beside >= from.center().x()) at = QPoint(beside, from.top() + TwipsToPixels(320, w));
  }
  PlaceFrameAt(w, at, anchor);
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

frmCalcData::frmCalcData() : QWidget(nullptr, Qt::Window) {
  setObjectName("frmCalcData");
  setAttribute(Qt::WA_DeleteOnClose);
  scale_ = std::max(1.0, QFontMetrics(font()).height() / kDesignLineHeight);
  BuildWidgets();
  watch_ = new DeactivateWatch(this, [this] {
    if (HelpFromCalcMenu == 0) LeaveBoxesAndUnload();
  });
  watch_->SetExcept([](QWidget* w) { return HelpFromCalcMenu != 0 && qobject_cast<HelpForm*>(w) != nullptr; });
}

frmCalcData::~frmCalcData() { DefaultInstance<frmCalcData>::Forget(this); }

int frmCalcData::Px(double twips) const { return TwipsToPixels(twips * scale_, this); }

void frmCalcData::FitScaleToCaptions() {
  // Every caption panel must hold its text: the window grows as a whole
  // until the widest one does (the captions a method puts in later too).
  const QFontMetrics fm(CalcSpec[1]->font());
  auto need = [&](const std::string& text, int widthTwips) {
    if (text.empty() || widthTwips <= 0) return;
    const int px = fm.horizontalAdvance(ToQ(text)) + 14;  // indent, bevel and a little air
    scale_ = std::max(scale_, px / (TwipsToPixels(widthTwips, this) * 1.0));
  };
  for (int k = 1; k <= form_.rowCount; ++k) {
    if (form_.Row(k).captionShown) need(form_.Row(k).caption, geo_.caption[static_cast<size_t>(k)].width);
  }
  if (form_.number == 1 || form_.number == 6) {
    for (const char* later : {"#Teeth, Engine Primary Gear", "#Teeth, Clutch Primary Gear", "Eighth Mile MPH"})
      need(later, geo_.caption[3].width);
  }
  for (int i = 0; i < form_.outputCount; ++i)
    need(form_.out[static_cast<size_t>(i)].name, geo_.outName[static_cast<size_t>(i)].width);
}

void frmCalcData::BuildWidgets() {
  auto frame = [this](const char* name) {
    auto* g = new QGroupBox(this);
    g->setObjectName(name);
    return g;
  };
  // Frames first: the rows stand on top of them.
  Frame3D1 = frame("Frame3D1");
  Frame3D2 = frame("Frame3D2");
  Frame3D3 = frame("Frame3D3");

  for (int i = 0; i < kCalcOutputs; ++i) {
    auto* name = new QLabel(this);
    name->setObjectName(QString("CalcOutName_%1").arg(i));
    name->setFrameStyle(QFrame::Panel | QFrame::Raised);
    name->setIndent(4);
    auto* value = new QLabel(this);
    value->setObjectName(QString("CalcOutData_%1").arg(i));
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setAlignment(Qt::AlignCenter);
    value->setAutoFillBackground(true);
    value->setBackgroundRole(QPalette::Base);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CalcOutName[static_cast<size_t>(i)] = name;
    CalcOutData[static_cast<size_t>(i)] = value;
  }
  for (int k = 0; k < kCalcRows; ++k) {
    auto* caption = new QLabel(this);
    caption->setObjectName(QString("CalcSpec_%1").arg(k));
    caption->setFrameStyle(QFrame::Panel | QFrame::Raised);
    caption->setIndent(4);
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("CalcData_%1").arg(k));
    box->setProperty("row", k);
    box->installEventFilter(this);
    // Typed over, the program's figure is the racer's entry, even when it reads the same.
    connect(box, &QLineEdit::textEdited, this, [this, k] { form_.Row(k).typed = true; });
    // Lists come after their captions so that a list moved over its
    // caption's place is drawn on top of it.
    auto* list = new PickList(this);
    list->setObjectName(QString("Combo1_%1").arg(k));
    list->setProperty("row", k);
    list->installEventFilter(this);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    OnAction(list, &QComboBox::activated, this, "Combo1 " + std::to_string(k), [this, k] { Combo1_Click(k); });
    caption->setBuddy(k == 0 ? nullptr : box);
    CalcSpec[static_cast<size_t>(k)] = caption;
    CalcData[static_cast<size_t>(k)] = box;
    Combo1[static_cast<size_t>(k)] = list;
  }
  CalcSpec[0]->hide();
  CalcData[0]->hide();
  Combo1[0]->hide();

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setTextFormat(Qt::PlainText);

  auto button = [this](const char* caption, const char* name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  Command1 = button("Cancel", "Command1");
  Command2 = button("Help", "Command2");
  Command3 = button("Use Calc Value", "Command3");
  Command4 = button("Print", "Command4");
  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { Command1_Click(); });
  CloseOnEscape(this, [this] { Command1->click(); });
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { Command2_Click(); });
  OnAction(Command3, &QPushButton::clicked, this, "Command3", [this] { Command3_Click(); });
  OnAction(Command4, &QPushButton::clicked, this, "Command4", [this] { Command4_Click(); });

  PrintTitle = new QLabel(this);
  PrintTitle->setObjectName("PrintTitle");
  QFont bold = PrintTitle->font();
  bold.setBold(true);
  PrintTitle->setFont(bold);
  PrintTitle->setAutoFillBackground(true);
  PrintTitle->hide();
  PrintFooter = new QLabel(this);
  PrintFooter->setObjectName("PrintFooter");
  PrintFooter->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PrintFooter->setTextFormat(Qt::PlainText);
  PrintFooter->hide();
}

bool frmCalcData::Form_Load() {
  if (!LoadCalculator(shell.CalcMenuNumber, form_)) return false;
  geo_ = LayOutCalculator(form_);
  FitScaleToCaptions();
  setWindowTitle(ToQ(form_.caption));
  Frame3D1->setTitle(ToQ(form_.frameCaption[0]));
  Frame3D2->setTitle(ToQ(form_.frameCaption[1]));
  Frame3D3->setTitle(ToQ(form_.noteCaption));
  Frame3D2->setVisible(form_.frames == 2);
  Frame3D2->setEnabled(form_.frames == 2);
  Frame3D3->setVisible(form_.hasNote);
  Frame3D3->setEnabled(form_.hasNote);
  Label1->setVisible(form_.hasNote);
  Label1->setEnabled(form_.hasNote);

  // Rows in order, then "Use Calc Value", "Help", "Cancel" and "Print".
  QWidget* previous = nullptr;
  auto chain = [&previous](QWidget* w) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  };
  for (int k = 1; k <= kCalcLastRow; ++k) {
    chain(CalcData[static_cast<size_t>(k)]);
    chain(Combo1[static_cast<size_t>(k)]);
  }
  for (QWidget* b : {static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command2),
                     static_cast<QWidget*>(Command1), static_cast<QWidget*>(Command4)})
    chain(b);

  ShowForm();
  PlaceWidgets();
  for (int k = 1; k <= form_.rowCount; ++k) {
    QWidget* w = form_.Row(k).isList ? static_cast<QWidget*>(Combo1[static_cast<size_t>(k)])
                                     : static_cast<QWidget*>(CalcData[static_cast<size_t>(k)]);
    if (form_.Row(k).enabled) {
      w->setFocus();
      break;
    }
  }
  return true;
}

void frmCalcData::PlaceWidgets() {
  auto place = [this](QWidget* w, const CalcRect& r, int extraTop = 0) {
    Place(w, Px(r.left), Px(r.top) + extraTop, Px(r.width), Px(r.height));
  };
  place(Frame3D1, geo_.frame[0]);
  place(Frame3D2, geo_.frame[1]);
  for (int i = 0; i < kCalcOutputs; ++i) {
    place(CalcOutName[static_cast<size_t>(i)], geo_.outName[static_cast<size_t>(i)]);
    place(CalcOutData[static_cast<size_t>(i)], geo_.outData[static_cast<size_t>(i)]);
  }
  for (int k = 1; k < kCalcRows; ++k) {
    const size_t i = static_cast<size_t>(k);
    place(CalcSpec[i], geo_.caption[i]);
    place(CalcData[i], geo_.box[i]);
    place(Combo1[i], geo_.list[i]);
    Combo1[i]->raise();
  }
  if (form_.hasNote) {
    CalcRect frame = geo_.noteFrame, note = geo_.note;
    place(Frame3D3, frame);
    Frame3D3->resize(Frame3D3->width(), Frame3D3->height() + noteExtra_);
    place(Label1, note);
    Label1->resize(Label1->width(), Label1->height() + noteExtra_);
    Label1->raise();
  }
  QPushButton* buttons[4] = {Command1, Command2, Command3, Command4};
  for (int b = 0; b < 4; ++b) place(buttons[b], geo_.buttons[static_cast<size_t>(b)], noteExtra_);
  setFixedSize(Px(geo_.width), Px(geo_.clientHeight) + noteExtra_);
}

void frmCalcData::ShowForm() {
  for (int k = 1; k < kCalcRows; ++k) {
    const size_t i = static_cast<size_t>(k);
    const CalcRow& r = form_.Row(k);
    const QString caption = ToQ(r.caption);
    CalcSpec[i]->setText(caption);
    CalcSpec[i]->setVisible(r.used && r.captionShown);
    CalcSpec[i]->setEnabled(r.used && r.enabled);

    QLineEdit* box = CalcData[i];
    box->setVisible(r.used && !r.isList);
    box->setEnabled(r.used && !r.isList && r.enabled);
    box->setAccessibleName(caption);
    if (FromQ(box->text()) != r.text) box->setText(ToQ(r.text));

    QComboBox* list = Combo1[i];
    // The caption labels whichever of the two the row shows: a screen reader
    // names a list by its label, not by its own name.
    CalcSpec[i]->setBuddy(r.isList ? static_cast<QWidget*>(list) : box);
    list->setVisible(r.used && r.isList);
    list->setEnabled(r.used && r.isList && r.enabled);
    list->setAccessibleName(caption);
    // Choices set here never count as the racer's picks.
    SetQuietly(list, [&, list] {
      std::vector<std::string>& listed = listed_[i];
      if (list->count() != static_cast<int>(listed.size()) || r.entries != listed) {
        list->clear();
        list->addItems(ToQList(r.entries));
        listed = r.entries;
      }
      if (list->currentIndex() != r.listIndex) list->setCurrentIndex(r.listIndex);
    });
  }
  for (int o = 0; o < kCalcOutputs; ++o) {
    const size_t i = static_cast<size_t>(o);
    const CalcOutput& out = form_.out[i];
    CalcOutName[i]->setText(ToQ(out.name));
    CalcOutName[i]->setVisible(out.shown);
    CalcOutName[i]->setEnabled(out.shown && out.nameEnabled);
    CalcOutData[i]->setText(ToQ(out.value));
    CalcOutData[i]->setVisible(out.shown);
    CalcOutData[i]->setEnabled(out.shown && out.valueEnabled);
    // A screen reader hears the result with its name.
    CalcOutData[i]->setAccessibleName(ToQ(out.value.empty() ? out.name : out.name + " " + out.value));
  }
  if (form_.hasNote) {
    Label1->setText(ToQ(form_.note));
    // A longer match line than the note was laid out for makes the note,
    // and the window, taller.
    const int needed = Label1->heightForWidth(Px(geo_.note.width));
    const int extra = std::max(0, needed - Px(geo_.note.height));
    if (extra > noteExtra_) {
      noteExtra_ = extra;
      PlaceWidgets();
    }
  }
}

void frmCalcData::GatherPicks() {
  for (int k = 1; k <= form_.rowCount; ++k) {
    CalcRow& r = form_.Row(k);
    if (r.isList) r.listIndex = Combo1[static_cast<size_t>(k)]->currentIndex();
  }
}

bool frmCalcData::Edited(int k) const {
  const CalcRow& r = form_.Row(k);
  return k >= 1 && k <= form_.rowCount && r.used && !r.isList &&
         FromQ(CalcData[static_cast<size_t>(k)]->text()) != r.text;
}

void frmCalcData::LeaveBoxes(int first) {
  if (checking_) return;
  std::vector<int> order;
  if (first >= 1 && form_.Row(first).used) order.push_back(first);
  for (int k = 1; k <= form_.rowCount; ++k)
    if (k != first && Edited(k)) order.push_back(k);
  if (order.empty()) return;
  checking_ = true;
  StillLoaded<frmCalcData> self(this);  // a refusal's box lets events run
  int refused = 0;
  // Each entry is tested against what its row held; the window shows the
  // rows only after all of them, so that showing one leave's result wipes
  // no entry still to be tested.
  for (int k : order) {
    CalcRow& r = form_.Row(k);
    const std::string before = r.text;
    r.text = FromQ(CalcData[static_cast<size_t>(k)]->text());
    const bool accepted = LeaveValueBox(form_, k, before);
    if (!self) return;
    if (!accepted && refused == 0) refused = k;
  }
  ShowForm();
  if (refused > 0) {
    NoteEntryRefused(this);
    shell.SkipValidation = true;
    QLineEdit* box = CalcData[static_cast<size_t>(refused)];
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
  }
  checking_ = false;
}

void frmCalcData::LeaveBoxesAndUnload() {
  StillLoaded<frmCalcData> self(this);
  LeaveBoxes(0);
  if (self) DefaultInstance<frmCalcData>::Unload();
}

bool frmCalcData::eventFilter(QObject* watched, QEvent* e) {
  const QVariant row = watched->property("row");
  if (!row.isValid()) return QWidget::eventFilter(watched, e);
  const int k = row.toInt();
  auto* box = qobject_cast<QLineEdit*>(watched);
  switch (e->type()) {
    case QEvent::FocusIn:
      if (box) Later(box, [box] { box->selectAll(); });
      break;
    case QEvent::FocusOut: {
      // Only a move within the window checks the entry; the window losing
      // the front (to a box, or for good) does not.
      const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
      if (box && why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
        ActOnLeave(this, "leave " + std::to_string(k), [this, k] { CalcData_LostFocus(k); });
      break;
    }
    case QEvent::KeyPress: {
      // Up and Down move between the rows (a list keeps its pick); Enter
      // moves on like Tab.
      const auto* k = static_cast<QKeyEvent*>(e);
      const int key = k->key();
      // Alt+Down opens a list, as F4 and Space do.
      if (k->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) break;
      if (key == Qt::Key_Up) {
        focusPreviousChild();
        return true;
      }
      if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextChild();
        return true;
      }
      break;
    }
    default: break;
  }
  return QWidget::eventFilter(watched, e);
}

void frmCalcData::CalcData_LostFocus(int k) {
  if (checking_ || !form_.Row(k).used) return;
  GatherPicks();
  // The box left, then any other whose text is not its row's (a screen
  // reader's entry).
  LeaveBoxes(k);
}

void frmCalcData::Combo1_Click(int k) {
  StillLoaded<frmCalcData> self(this);
  GatherPicks();
  form_.changedWeightList = form_.number == 24 ? k : 0;
  CalculateMenu(form_);
  if (self) ShowForm();
}

void frmCalcData::Command1_Click() { Close(); }

void frmCalcData::Close() {
  // The spec window it was opened from takes the front back (and shows
  // what was written into its specs).
  const int menu = SpecMenuOfCalculator(form_.number);
  LeaveBoxesAndUnload();
  ActivateSpecWindow(menu);
}

void frmCalcData::Command2_Click() {
  HelpFromCalcMenu = 1;
  ShowHelpTopic(580);
  if (HelpForm* help = DefaultInstance<HelpForm>::IfLoaded())
    connect(help, &QObject::destroyed, this, &frmCalcData::HelpClosed, Qt::UniqueConnection);
}

void frmCalcData::HelpClosed() {
  // Closing the help window comes back here; the help window losing the
  // front to another window of the program closes the calculator too.
  Later(this, [this] {
    QWidget* active = QApplication::activeWindow();
    if (active && active != this && !DeactivateWatch::IsBox(active)) {
      LeaveBoxesAndUnload();
      return;
    }
    raise();
    activateWindow();
  });
}

void frmCalcData::Command3_Click() {
  StillLoaded<frmCalcData> self(this);
  GatherPicks();
  // A refused entry leaves nothing to use.
  if (RefusedOnItsWay()) return;
  const CalcValueResult r = UseCalcValue(form_);
  if (r.exampleBroken) {
    shell.ExampleListIndex = static_cast<int16_t>(r.exampleListIndex);
    shell.ExampleMenu = static_cast<int16_t>(r.exampleMenu);
    // A loaded window's Type list loses the example's name: rebuilt plain
    // from its preset list, then set from the specs.
    if (LoadedSpecWindow(r.exampleSpecMenu)) {
      shell.ExampleKind = -1;
      FillSpecCombo(r.exampleSpecMenu, r.exampleMenu);
      RefillSpecWindow(r.exampleSpecMenu);
    }
  }
  if (!r.close || !self) return;
  const int menu = SpecMenuOfCalculator(form_.number);
  Close();
  // The opener's caption showed the run of the specs before the value came
  // in; it shows the run of the new ones, as after any entry.
  SpecWindow* opener = LoadedSpecWindow(menu);
  if (opener && tbl.InstantUpdate > 0) {
    shell.SkipValidation = false;
    opener->InstantCalc();
  }
}

void frmCalcData::Command4_Click() {
  StillLoaded<frmCalcData> self(this);
  // What is printed is what the calculator holds, never a figure it refused.
  if (RefusedOnItsWay()) return;
  const InputAnswer comment = InputBox(
      "Enter a comment which will be printed at the bottom of this menu." + std::string(2, CR) +
          "Just press <Enter> or click on OK to enter no comment.  Click on Cancel to cancel printing.",
      "Printed Comment", " ");
  if (comment.text.empty() || !self) return;
  watch_->Suspend(true);

  // Dressed for paper: a title on the first frame, the buttons' place taken
  // by a footer naming the program, the vehicle file, the time and the
  // racer's comment.
  std::string folder, fileName;
  SplitPath(folder, fst.CurrentFilePath, fileName);
  const std::string title = "  " + form_.frameCaption[0] + "  ";
  const std::string footer = "Stagewell" + std::string(1, CR) + "File: " + fileName + Space(10) +
                             FormatDate(LocalNow(), "m/d/yy h:mm am/pm") + std::string(1, CR) + comment.text;
  const QSize normal = size();
  PrintTitle->setText(ToQ(title));
  const int titleWidth =
      std::max(Px(90.0 * static_cast<double>(title.size())), PrintTitle->fontMetrics().horizontalAdvance(ToQ(title)) + 4);
  PrintTitle->setGeometry(Px(geo_.frame[0].left + 100), Px(geo_.frame[0].top), titleWidth,
                          PrintTitle->fontMetrics().height() + 2);
  PrintFooter->setText(DisplayText(footer));
  const int footerTop = Command4->y() - Px(50);
  const int footerHeight = PrintFooter->fontMetrics().lineSpacing() * 3 + 4;
  PrintFooter->setGeometry(Px(120), footerTop, width() - Px(240), footerHeight);
  for (QPushButton* b : {Command1, Command2, Command3, Command4}) b->hide();
  // The title takes the place of the frame's own caption.
  Frame3D1->setTitle(QString());
  PrintTitle->show();
  PrintTitle->raise();
  PrintFooter->show();
  setFixedSize(normal.width(), std::max(normal.height() + Px(200), footerTop + footerHeight + Px(60)));

  if (onPrintCaptureForTest) onPrintCaptureForTest(this);
  Picture5 = CaptureFormImage(this);

  for (QPushButton* b : {Command1, Command2, Command3, Command4}) b->show();
  Frame3D1->setTitle(ToQ(form_.frameCaption[0]));
  PrintTitle->hide();
  PrintFooter->hide();
  setFixedSize(normal);

  // The preview may outlast the window: it prints a copy of the image.
  const WindowPicture picture = Picture5;
  PrintPictureScaledToPage(this, ToQ(form_.caption), picture);
  Ui().SetBusyCursor(false);
  if (self) watch_->Suspend(false);
}

void frmCalcData::closeEvent(QCloseEvent* e) {
  // An entry not yet left is tested first (its Warning), from the event loop.
  for (int k = 1; k <= form_.rowCount; ++k)
    if (Edited(k)) {
      e->ignore();
      Later(this, [this] { LeaveBoxesAndUnload(); });
      return;
    }
  DefaultInstance<frmCalcData>::Forget(this);
  e->accept();
}

}  // namespace sw
