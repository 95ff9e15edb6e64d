// Shared set-up of the spec-window tests: the returning racer's main window
// with the shipped row files and preset lists, a spec window opened from its
// button, the racer's moves on its rows and what its widgets show.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "shell/shell_fixture.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"
#include "support/pdf_pages.h"

namespace sw {

// Gives the box the focus and types over its text ("" erases it); the focus stays.
inline void TypeInto(QLineEdit* box, const QString& text, Qt::FocusReason reason = Qt::TabFocusReason) {
  box->setFocus(reason);
  Settle();
  box->selectAll();
  if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

// A button pressed and its effects settled.
inline void Press(QAbstractButton* button) {
  button->click();
  Settle();
}

// Types into the row's box and tabs out of it.
inline void TypeAndLeave(SpecWindow* w, int row, const QString& text) {
  TypeInto(w->SpecData[row], text);
  QTest::keyClick(w->SpecData[row], Qt::Key_Tab);
  Settle();
}

// A pick made by the racer (re-picks count).
inline void PickItem(SpecWindow* w, int row, int item) {
  w->cmbSpecData[row]->setFocus(Qt::MouseFocusReason);
  Settle();
  w->cmbSpecData[row]->setCurrentIndex(item);
  emit w->cmbSpecData[row]->activated(item);
  Settle();
}

inline QWidget* ValueControl(SpecWindow* w, int row) {
  return w->SpecData[row] ? static_cast<QWidget*>(w->SpecData[row]) : w->cmbSpecData[row];
}
// A value box's text or a list's shown item.
inline QString Shown(SpecWindow* w, int row) {
  return w->SpecData[row] ? w->SpecData[row]->text() : w->cmbSpecData[row]->currentText();
}
// Several rows' Shown() joined by "|".
inline QString RowTexts(SpecWindow* w, std::initializer_list<int> rows) {
  QStringList out;
  for (int r : rows) out << Shown(w, r);
  return out.join('|');
}
inline bool RowOn(SpecWindow* w, int row) { return ValueControl(w, row)->isEnabled() && w->SpecName[row]->isEnabled(); }
// Every row as 1 (on) or 0 (greyed); "mixed" when a caption (or, with
// `calculators`, a "Clc" button) disagrees with its value control.
inline QString RowStates(SpecWindow* w, bool calculators = false) {
  QString out;
  for (int r = 0; r < w->RowCount(); ++r) {
    const bool on = ValueControl(w, r)->isEnabled();
    QPushButton* clc = calculators ? w->ClcBttn[r] : nullptr;
    if (w->SpecName[r]->isEnabled() != on || (clc && clc->isEnabled() != on)) return "mixed";
    out += on ? '1' : '0';
  }
  return out;
}
inline QStringList Captions(SpecWindow* w) {
  QStringList out;
  for (QLabel* l : w->SpecName) out << l->text();
  return out;
}
inline QStringList ButtonTexts(SpecWindow* w) {
  QStringList out;
  for (QPushButton* b : w->Command1)
    if (b) out << b->text();
  return out;
}
inline QStringList Items(QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

struct SpecScene : ShellScene {
  SpecScene() { shell.StartupScreenShown = shell.BeginnerNoticeShown = 1; }
  ~SpecScene() { SetPrintToPdfForTest(QString()); }

  // The returning racer's main window (the muscle car) with the shipped row
  // files, preset lists and engine examples.
  frmMain* ShowMain() {
    ReturningUser();
    for (const auto& e : std::filesystem::directory_iterator(kShippedData / "COMBO"))
      CopyShipped("COMBO/" + e.path().filename().string());
    for (const char* f : {"help1.txt", "help2.txt", "help3.txt", "help4.txt", "help5.txt", "help6.txt", "help8.txt",
                          "HLPts1rn.TXT"})
      CopyShipped(std::string("QVZHELP/") + f);
    CopyShipped("QVZEXMP/ENG");
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    m->InitMainWindow();
    Settle();
    return m;
  }
  void CopyCalculators() const { std::filesystem::copy(kShippedData / "CALC", folder() / "CALC"); }

  // Spec window `menu` from the main window's button (the main window shown
  // first if it is not), after `car` was loaded from the fixtures and
  // `specs` set; the specs count as unchanged.
  template <class W = SpecWindow>
  W* Open(int menu, const std::string& specs = {}, const char* car = nullptr) {
    frmMain* m = DefaultInstance<frmMain>::IfLoaded();
    if (!m) m = ShowMain();
    if (car && !test::LoadFixtureVehicle(car)) qFatal("the fixture vehicles are missing");
    SetSpecs(specs);
    fst.SpecsChanged = 0;
    m->Command1[menu - 1]->click();
    auto* w = static_cast<W*>(LoadedSpecWindow(menu));
    if (w) Activate(w);
    return w;
  }
  // "OK" (or "Return"): the window stores its rows and goes.
  static void Close(SpecWindow* w) {
    w->Command1[0]->click();
    Settle();
  }

  int BoxesTitled(const std::string& title, int from = 0) const {
    int n = 0;
    for (int i = from; i < BoxCount(); ++i) n += Box(i).title == title;
    return n;
  }
  QString LastPrompt() const { return QString::fromStdString(LastBox().prompt); }
  // The last box as "title: prompt".
  QString LastSaid() const { return QString::fromStdString(LastBox().title + ": " + LastBox().prompt); }
};

}  // namespace sw
