// The small shell windows: help pages, the tip, the decimal-comma warning,
// the commands tutorial and the start-up text screen, with the shipped
// program folder; and windows that close when they lose the front.
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "platform/qt/qt_ui.h"
#include "printing/print_screen.h"
#include "shell/frm_cmmd_intro.h"
#include "shell/frm_comma.h"
#include "shell/frm_disp_cmnts.h"
#include "shell/frm_intro_help.h"
#include "shell/help_form.h"
#include "shell/vehicle_summary.h"
#include "shell_fixture.h"
#include "support/large_files.h"

using namespace sw;

class ShellWindowsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    SetProgramFolder(kShippedData);
    PrintScreen::SystemNumberText() = [] { return std::string("2.333"); };
  }
  void cleanup() { scene.reset(); }

  void labelsShowOneAmpersand() {
    QCOMPARE(DisplayText(LabelText("Body && Axle\rnext")), QString("Body & Axle\nnext"));
  }

  // Topic 550 with the engine menu: six pages, the buttons stop at both
  // ends, "**" names the menu; closing clears the calc-menu mark.
  void helpPagesOfTheEngineMenu() {
    tbl.CurrentSpecMenu = 1;
    ShowHelpTopic(550);
    HelpForm* f = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QString("Engine Specs  (1 of 3):  Describing the Power Curve"));
    QVERIFY(!f->Command3->isEnabled());
    QVERIFY(f->Command1->isEnabled());
    for (int i = 0; i < 5; ++i) f->Command1->click();
    QCOMPARE(shell.HelpPage, int16_t(5));
    QCOMPARE(f->windowTitle(), QString("Engine Menu:  Closing and Instant Updating"));
    QVERIFY(!f->Command1->isEnabled());
    QVERIFY(f->Command3->isEnabled());
    QVERIFY(f->Label1->toPlainText().contains("Print prints the menu"));
    f->Command3->click();
    f->Command3->click();
    QCOMPARE(shell.HelpPage, int16_t(3));
    QVERIFY(f->Label1->toPlainText().contains("the Engine Specs menu"));

    // One page: both buttons off; an unknown topic leaves the page alone.
    ShowHelpTopic(400);
    QVERIFY(!f->Command1->isEnabled() && !f->Command3->isEnabled());
    const QString title = f->windowTitle();
    shell.HelpMenuNumber = 4321;
    f->ShowPage();
    QCOMPARE(f->windowTitle(), title);
    QVERIFY(f->Label1->toPlainText().contains("\\ / :"));

    HelpFromCalcMenu = 1;
    f->Command2->click();
    Settle();
    QVERIFY(!DefaultInstance<HelpForm>::IfLoaded());
    QCOMPARE(HelpFromCalcMenu, int16_t(0));
  }

  // Every page of a topic shows in one window size, so "Next Screen" stays
  // under the mouse; each page's text is whole.
  void oneHelpTopicKeepsOneWindowSize() {
    for (const auto& [topic, menu] : {std::pair{1000, 1}, std::pair{550, 1}, std::pair{550, 4}, std::pair{700, 1}}) {
      tbl.CurrentSpecMenu = static_cast<int16_t>(menu);
      ShowHelpTopic(topic);
      HelpForm* f = DefaultInstance<HelpForm>::IfLoaded();
      QVERIFY(QTest::qWaitForWindowExposed(f));
      const QSize size = f->size();
      const QRect next = f->Command1->geometry();
      for (int page = 0; page <= HelpPageCount; ++page) {
        if (page > 0) f->Command1->click();
        QCOMPARE(shell.HelpPage, int16_t(page));
        QCoreApplication::processEvents();
        QCOMPARE(f->size(), size);
        QCOMPARE(f->Command1->geometry(), next);
        QCOMPARE(f->Label1->verticalScrollBar()->maximum(), 0);
      }
      f->Command3->click();
      QCOMPARE(f->size(), size);
      f->Command2->click();
      Settle();
    }
  }

  // A page of 8 MB shows at once (its lines laid out only as they come in
  // sight), scrolling, the window and its buttons whole on the screen.
  void helpPageTallerThanTheScreenScrolls() {
    SetProgramFolder(scene->folder());
    scene->Write("QVZHELP/helps0.txt", test::LargeHelpPage(8 << 20));
    ShowHelpTopic(400);
    HelpForm* f = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QVERIFY(f->Label1->toPlainText().startsWith("The ** rows set what the car is. continued text"));
    QVERIFY(f->Label1->verticalScrollBar()->isVisible() && f->Label1->verticalScrollBar()->maximum() > 0);
    QVERIFY(f->screen()->availableGeometry().contains(f->frameGeometry()));
    for (QPushButton* b : {f->Command3, f->Command1, f->Command2}) QVERIFY(f->rect().contains(b->geometry()));
    f->Label1->selectAll();
    f->Label1->copy();
    QCOMPARE(QGuiApplication::clipboard()->text().size(), f->Label1->toPlainText().size());
  }

  // Escape closes the help, the comments and the text screen, as their
  // Cancel and OK do; the comments are kept.
  void escapeClosesTheSmallWindows() {
    shell.TextScreenId = 1;
    const std::function<QWidget*()> opens[] = {
        [] { return ShowHelpTopic(1000), DefaultInstance<HelpForm>::IfLoaded(); },
        [] {
          frmDispCmnts::ShowVehicleComments("Street tires\r\n");
          return DefaultInstance<frmDispCmnts>::IfLoaded();
        },
        [] { return PrintScreen::ShowScreen(), DefaultInstance<PrintScreen>::IfLoaded(); }};
    for (const auto& open : opens) {
      QPointer<QWidget> w = open();
      QVERIFY(w);
      Activate(w);
      QTest::keyClick(w->focusWidget() ? w->focusWidget() : w.data(), Qt::Key_Escape);
      Settle();
      QVERIFY2(!w, w ? qPrintable(w->objectName()) : "");
    }
    QCOMPARE(fst.VehicleComments, std::string("Street tires\r\n"));
    QCOMPARE(TextScreenOpen, int16_t(0));
  }

  // F1 in the main window shows its help, which closes when another window
  // comes to the front, but not for a box of its own.
  void helpClosesWhenAnotherWindowComesToTheFront() {
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
    frmMain* m = DefaultInstance<frmMain>::Get();
    QVERIFY(m->mnuHelpHelp->isEnabled());
    m->mnuHelpHelp->trigger();
    HelpForm* f = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QString("Help On Main Screen  (1 of 8)"));
    QCOMPARE(shell.HelpMenuNumber, int16_t(1000));
    QVERIFY(m->mnuOpenExampleFile->isEnabled() && m->mnuFilLoad->isEnabled() && m->cmdOpen->isEnabled());
    Activate(f);
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(f));
    QtUi ui;
    bool seen = false;
    WhenModal([&](QWidget* box) {
      seen = true;
      Settle();  // let the deactivation be looked at while the box is up
      qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    ui.MsgBox("A message", mb::OKOnly, "Title");
    Settle();
    QVERIFY(seen);
    QVERIFY(DefaultInstance<HelpForm>::IfLoaded());

    HelpFromCalcMenu = 1;
    QWidget other;
    Activate(&other);
    QVERIFY(!DefaultInstance<HelpForm>::IfLoaded());
    QCOMPARE(HelpFromCalcMenu, int16_t(0));
  }

  // Closing with the box checked stores 2, without it 1; Help changes
  // nothing.
  void tipClosedWithAndWithoutTheCheckBox() {
    shell.TipShown.fill(0);
    shell.TipNumber = 20;
    WhenModal([](QWidget* w) {
      auto* tip = qobject_cast<frmIntroHelp*>(w);
      QVERIFY(tip);
      QCOMPARE(tip->windowTitle(), QString("User's Manual"));
      QVERIFY(tip->Label1->text().startsWith("To view the User's Manual, click on OK to clear this message.\n\n"));
      QVERIFY(tip->Label1->text().contains("displayed in your desktop's PDF viewer"));
      QVERIFY(!tip->Label1->text().contains("Acrobat"));
      QVERIFY(!tip->Command1[1]->isVisible());
      tip->Command1[2]->click();  // Help: a message, the window stays
      QVERIFY(tip->isVisible());
      QCOMPARE(shell.TipShown[20], int16_t(0));
      tip->Check1->setChecked(true);
      tip->Command1[0]->click();
    });
    frmIntroHelp::ShowTip();
    QCOMPARE(shell.TipShown[20], int16_t(2));
    QCOMPARE(scene->BoxCount(), 1);
    QVERIFY(scene->Box(0).prompt.rfind("This message will not display again until you restart the program", 0) == 0);
    Settle();
    QVERIFY(!DefaultInstance<frmIntroHelp>::IfLoaded());

    WhenModal([](QWidget* w) { qobject_cast<frmIntroHelp*>(w)->Command1[0]->click(); });
    frmIntroHelp::ShowTip();
    QCOMPARE(shell.TipShown[20], int16_t(1));
  }

  void commaWarningButtons() {
    std::string m = frmComma::Message();
    QVERIFY(m.rfind("Your computer system is set to use commas (,) where decimal points (.) are typically used in "
                    "numbers.\r\r    Numbers should be displayed     123.45\r\r    Your computer displays              "
                    "123,45\r\rThis will cause",
                    0) == 0);
    QVERIFY(m.find("regional") == std::string::npos);
    int stops = 0, prints = 0;
    frmComma::StopProgram() = [&] { ++stops; };
    frmComma::PrintImage() = [&](QWidget*) { ++prints; };
    WhenModal([](QWidget* w) {
      auto* c = qobject_cast<frmComma*>(w);
      QVERIFY(c);
      QCOMPARE(c->windowTitle(), QString("Critical Problem Encountered"));
      c->Command1[2]->click();
      QVERIFY(c->isVisible());
      c->Command1[1]->click();
    });
    frmComma::ShowModal();
    QCOMPARE(prints, 1);
    QCOMPARE(stops, 1);
    WhenModal([](QWidget* w) { qobject_cast<frmComma*>(w)->Command1[0]->click(); });
    frmComma::ShowModal();
    QCOMPARE(stops, 1);
  }

  void commandsTutorial() {
    WhenModal([](QWidget* w) {
      auto* t = qobject_cast<frmCmmdIntro*>(w);
      QVERIFY(t);
      // A failed check below still closes the window, so the test ends.
      struct Closer {
        frmCmmdIntro* t;
        ~Closer() {
          if (t->isVisible()) t->Command2->click();
        }
      } closer{t};
      QCOMPARE(t->cmbSpecData[0]->count(), 2);
      QCOMPARE(t->cmbSpecData[0]->currentText(), QString("Use Specs Below"));
      QCOMPARE(t->cmbSpecData[1]->count(), 6);
      QCOMPARE(t->cmbSpecData[1]->currentIndex(), 3);
      QCOMPARE(t->cmbSpecData[1]->currentText(), QString("3 Advance"));
      QString sentence = "You can type most anything into a Text Input box like this.  ";
      QCOMPARE(t->Text1->toPlainText(), sentence.repeated(7));
      QCOMPARE(t->Label2[5]->text().left(20), QString("Calculation Button: "));
      QVERIFY(!t->SpecData[3]->isEnabled());
      // Every explanation is whole, inside the window, and none lies over
      // another.
      for (int i = 1; i < 10; ++i) {
        QLabel* l = t->Label2[static_cast<size_t>(i)];
        QVERIFY2(l->height() >= l->heightForWidth(l->width()), qPrintable(QString::number(i)));
        QVERIFY(t->rect().contains(l->geometry()));
        for (int j = 1; j < i; ++j)
          QVERIFY2(!l->geometry().intersects(t->Label2[static_cast<size_t>(j)]->geometry()),
                   qPrintable(QString("%1 and %2").arg(j).arg(i)));
      }
      t->SpecData[2]->setText(".400");  // typing is accepted and stored nowhere
      t->Command1[0]->click();          // Help and Get Example do nothing
      t->Command1[1]->click();
      QVERIFY(t->isVisible());
      t->Command2->click();
    });
    frmCmmdIntro::ShowModal();
    Settle();
    QVERIFY(!DefaultInstance<frmCmmdIntro>::IfLoaded());
  }

  // The start-up text screen shows WARNING.TXT (not its line 1) and has the
  // front when it returns, so a box shown next belongs to it. Closing it, by
  // OK or by clicking another window, warns only when numbers show a comma.
  void warningScreenAndTheDecimalSymbol() {
    shell.TextScreenId = 1;
    const std::string comma = FromQ(QLocale(QLocale::German).toString(7.0 / 3.0, 'f', 3));
    const std::pair<std::string, bool> cases[] = {{"2.333", false}, {comma, false}, {comma, true}};
    for (const auto& [number, byClickElsewhere] : cases) {
      PrintScreen::SystemNumberText() = [number] { return number; };
      QWidget mainWindow, other;
      Activate(&mainWindow);
      PrintScreen::ShowScreen();
      PrintScreen* s = DefaultInstance<PrintScreen>::IfLoaded();
      QVERIFY(s);
      QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(s));
      QCOMPARE(s->windowTitle(), QString("Stagewell v3.2  -  Please Read"));
      QVERIFY(s->Label1->text().startsWith("Stagewell predicts how a vehicle should perform"));
      QVERIFY(!s->Label1->text().contains("WARNING"));
      QCOMPARE(TextScreenOpen, int16_t(1));
      bool commaShown = false;
      if (number == comma)
        WhenModal([&](QWidget* w) {
          commaShown = qobject_cast<frmComma*>(w) != nullptr;
          w->close();
        });
      if (byClickElsewhere)
        Activate(&other);
      else
        s->Command1->click();
      Settle();
      QVERIFY(!DefaultInstance<PrintScreen>::IfLoaded());
      if (!byClickElsewhere) QCOMPARE(TextScreenOpen, int16_t(0));  // OK alone clears it, as designed
      QCOMPARE(commaShown, number == comma);
    }
  }

};

QTEST_MAIN(ShellWindowsTest)
#include "shell_windows_qtest.moc"
