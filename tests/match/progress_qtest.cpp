// The progress window with Cancel, and the match result screen.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "match/frm_disp.h"
#include "match/frm_prgrs.h"
#include "match/match_state.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/twips.h"
#include "platform/window_host.h"
#include "shell/qt_window_host.h"
#include "shell/shell_fixture.h"
#include "simulation/tables.h"

using namespace sw;

class ProgressTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetTables();
    InstallQtWindows();
  }
  void cleanup() {
    DefaultInstance<frmPrgrs>::Unload();
    DefaultInstance<frmDisp>::Unload();
    QCoreApplication::processEvents();
    SetWindows(nullptr);
    SetFileWindows(nullptr);
  }

  void shortFormForAPlainCalculation() {
    Windows().LoadProgress();
    frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded();
    QVERIFY(p && p->isVisible());
    QCOMPARE(p->windowTitle(), QString("Calculation Progress"));
    QCOMPARE(p->Label1[0]->text(), QString("Distance Traveled, feet"));
    QCOMPARE(p->Label1[1]->text(), QString("Pass #"));
    QCOMPARE(p->Label3->text(), QString("Percent Complete"));
    QCOMPARE(p->Command1->text(), QString("Cancel"));
    QCOMPARE(p->height(), TwipsToPixels(frmPrgrs::kShortHeight - 400));
    QVERIFY(p->Frame3D1->geometry().top() >= p->height());  // below the short form
    QVERIFY(Windows().ProgressLoaded());
    Windows().SetProgressDistance("660");
    Windows().SetProgressBar(3615.0f / 2);
    QVERIFY(SaveShot(p, "progress_short.png"));
  }

  void tallFormsForTheSearches() {
    tbl.CalcStatus = 1;
    Windows().LoadProgress();
    frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded();
    QCOMPARE(p->height(), TwipsToPixels(frmPrgrs::kTallHeight - 400));
    QCOMPARE(p->Frame3D1->title(), QString("Match Vehicle Performance"));
    QVERIFY(p->Label4->text().startsWith("The computer will try up to 100 combinations (Passes)"));
    QVERIFY(p->Frame3D1->geometry().bottom() < p->height());
    QVERIFY(SaveShot(p, "progress_tall.png"));
    Windows().UnloadProgress();
    QCoreApplication::processEvents();

    tbl.CalcStatus = 5;
    Windows().LoadProgress();
    p = DefaultInstance<frmPrgrs>::IfLoaded();
    QCOMPARE(p->Label4->text(), QString("The computer will make several runs trying different settings to find the "
                                        "one giving the quickest ET.  For accurate results, it is critical that all "
                                        "other specs are set correctly before using this feature."));
  }

  void theRunWritesDistancePassAndBar() {
    Windows().LoadProgress();
    frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded();
    QCOMPARE(p->Label2[0]->text(), QString("0"));
    Windows().SetProgressDistance("660");
    Windows().SetProgressPass("12");
    Windows().SetProgressBar(3615.0f / 2);
    QCOMPARE(p->Label2[0]->text(), QString("660"));
    QCOMPARE(p->Label2[1]->text(), QString("12"));
    QCOMPARE(p->Shape1[1]->width(), p->Shape1[0]->width() / 2);
    Windows().SetProgressBar(3615.0f);
    QCOMPARE(p->Shape1[1]->width(), p->Shape1[0]->width());
    Windows().SetProgressBar(99999.0f);  // never wider than its outline
    QCOMPARE(p->Shape1[1]->width(), p->Shape1[0]->width());
  }

  void cancelSetsTheFlagAndTheWindowStays() {
    Windows().LoadProgress();
    frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded();
    QTest::mouseClick(p->Command1, Qt::LeftButton);
    QCOMPARE(tbl.AbortCalc, int16_t(1));
    QVERIFY(p->isVisible());
    tbl.AbortCalc = 0;
    QTest::keyClick(p, Qt::Key_Escape);  // the keyboard's way out is Cancel too
    QCOMPARE(tbl.AbortCalc, int16_t(1));
    QVERIFY(p->isVisible());
    tbl.AbortCalc = 0;
    QVERIFY(!p->close());
    QCOMPARE(tbl.AbortCalc, int16_t(1));
    Windows().UnloadProgress();
    QVERIFY(!Windows().ProgressLoaded());
  }

  void matchResultKeepsOrReturns() {
    KeepMatchSpecs = 1;
    frmDisp* d = DefaultInstance<frmDisp>::Get();
    QCOMPARE(KeepMatchSpecs, int16_t(0));  // loading means "old specs" until a button says otherwise
    QCOMPARE(d->windowTitle(), QString("Modifications Required to Match your Performance"));
    const QFontMetrics bold(QFont(d->font().family(), d->font().pointSize(), QFont::Bold));
    d->adjustSize();  // wide enough for the whole title in the title bar
    QVERIFY(d->width() > bold.horizontalAdvance(d->windowTitle()) + 100);
    QCOMPARE(d->Frame3D2->title(), QString("Specs Which Have Been Changed"));
    QCOMPARE(d->Frame3D1->title(), QString("Performance from New Specs"));
    QCOMPARE(d->Label1[2]->text(), QString("Converter Capacity"));
    QCOMPARE(d->Label1[8]->text(), QString("Tire Construction Type"));
    QCOMPARE(d->Label4[5]->text(), QString("60 ft"));
    QCOMPARE(d->Label4[17]->text(), QString("From New Specs"));
    QCOMPARE(d->Command1[0]->text(), QString("Return to Old Specs"));
    QCOMPARE(d->Command1[1]->text(), QString("Keep These New Specs"));
    QTimer::singleShot(0, [d] { QTest::mouseClick(d->Command1[1], Qt::LeftButton); });
    d->exec();
    QCOMPARE(KeepMatchSpecs, int16_t(1));
    QVERIFY(!DefaultInstance<frmDisp>::Loaded());
  }

  void matchResultClosedByClickingElsewhereGoesBack() {
    QWidget other;
    other.setWindowTitle("another window of the program");
    frmDisp* d = DefaultInstance<frmDisp>::Get();
    d->show();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(!DefaultInstance<frmDisp>::Loaded());
    QCOMPARE(KeepMatchSpecs, int16_t(0));
  }

  void matchResultStaysForItsOwnBox() {
    frmDisp* d = DefaultInstance<frmDisp>::Get();
    d->show();
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    QDialog own(d);
    own.show();
    own.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&own));
    Settle();  // the check of the front is a posted call
    QVERIFY(DefaultInstance<frmDisp>::Loaded());
  }
};

QTEST_MAIN(ProgressTest)
#include "progress_qtest.moc"
