#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "platform/qt/qt_ui.h"

using namespace sw;

class QtUiTest : public QObject {
  Q_OBJECT
 private slots:
  void messageBoxShowsTextTitleAndAnswers() {
    QtUi ui;
    QString seenText, seenTitle;
    QMessageBox::StandardButton seenDefault = QMessageBox::NoButton;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      seenText = box->text();
      seenTitle = box->windowTitle();
      seenDefault = box->standardButton(box->defaultButton());
      box->button(QMessageBox::No)->click();
    });
    int a = ui.MsgBox(std::string("Line one\r\rLine two"), mb::YesNo + mb::Critical + mb::DefaultButton2,
                      "Error Encountered");
    QCOMPARE(a, ans::No);
    QCOMPARE(seenText, QString("Line one\n\nLine two"));
    QCOMPARE(seenTitle, QString("Error Encountered"));
    QCOMPARE(seenDefault, QMessageBox::No);
  }

  // A title padded with blanks to stand in the middle is never cut off, and
  // the input box shows the whole text it offers.
  void boxesAreWideEnoughForTitleAndText() {
    QtUi ui;
    const QString title = QString(30, ' ') + "Notes on Calculations" + QString(61, ' ');
    int boxWidth = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      boxWidth = box->width();
      box->button(QMessageBox::Ok)->click();
    });
    ui.MsgBox("Short.", mb::OKOnly, FromQ(title));
    QFont bold = QApplication::font();
    bold.setBold(true);
    QVERIFY2(boxWidth >= QFontMetrics(bold).horizontalAdvance(title), qPrintable(QString::number(boxWidth)));

    const std::string offered = "MUSCLE454: Mon Dec 7 26  8:55 am with a longer test title";
    bool whole = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      auto* edit = dlg->findChild<QLineEdit*>();
      QVERIFY(edit);
      whole = edit->width() > edit->fontMetrics().horizontalAdvance(edit->text());
      dlg->reject();
    });
    ui.InputBox("Enter a Test Title", "Edit Test Title", offered);
    QVERIFY(whole);
  }

  void inputBoxReturnsTextOrCancel() {
    QtUi ui;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      QCOMPARE(dlg->textValue(), QString("400"));
      dlg->setTextValue("30");
      dlg->accept();
    });
    auto r = ui.InputBox("Weight?", "Version 2 File", "400");
    QCOMPARE(QString::fromStdString(r.text), QString("30"));
    QVERIFY(!r.cancelled);
    QTimer::singleShot(0, [&] { qobject_cast<QInputDialog*>(QApplication::activeModalWidget())->reject(); });
    r = ui.InputBox("Weight?", "Version 2 File", "400");
    QVERIFY(r.cancelled);
    QVERIFY(r.text.empty());
  }

  void busyCursorIsRestored() {
    QtUi ui;
    SetUi(&ui);
    {
      BusyCursor b;
      QVERIFY(QGuiApplication::overrideCursor());
    }
    QVERIFY(!QGuiApplication::overrideCursor());
    SetUi(nullptr);
  }
};

QTEST_MAIN(QtUiTest)
#include "qt_ui_qtest.moc"
