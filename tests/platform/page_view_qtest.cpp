// The read-only page view: its first screen and its end reached by keys,
// its text handed to a screen reader piece by piece, its selection copied.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QtTest>

#include "platform/qt/page_view.h"

using namespace sw;

namespace {

QString Paragraphs(int count) {
  QStringList out;
  for (int i = 0; i < count; ++i) out << QString("Paragraph %1 says a few words about a row.").arg(i);
  return out.join('\n');
}

QString OneParagraph(int words) {
  QStringList out;
  for (int i = 0; i < words; ++i) out << QString("word%1").arg(i);
  return out.join(' ');
}

const QString kShort = "Alpha beta.\nGamma delta epsilon.\n\nZeta.";

}  // namespace

class PageViewTest : public QObject {
  Q_OBJECT
  std::unique_ptr<PageView> view;

  PageView* Show(const QString& text, QSize size) {
    view = std::make_unique<PageView>();
    view->setAccessibleName("Help text");
    view->resize(size);
    view->setPlainText(text);
    view->show();
    view->activateWindow();
    return QTest::qWaitForWindowActive(view.get()) ? view.get() : nullptr;
  }

 private slots:
  void cleanup() { view.reset(); }

  // The first line is at the top; Down takes the caret to the next line,
  // Ctrl+End to the last character, in sight; PgUp and PgDown come back to
  // it, Ctrl+Home to the top.
  void firstScreenAndEnd_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("fits") << kShort << false;
    QTest::newRow("many paragraphs") << Paragraphs(3000) << true;
    QTest::newRow("one long paragraph") << OneParagraph(60000) << true;
  }
  void firstScreenAndEnd() {
    QFETCH(QString, text);
    QFETCH(bool, scrolls);
    PageView* v = Show(text, {300, 200});
    QVERIFY(v);
    QScrollBar* bar = v->verticalScrollBar();
    QCOMPARE(v->PositionAt({1, 1}), 0);
    QCOMPARE(bar->maximum() > 0, scrolls);
    QTest::keyClick(v, Qt::Key_Down);
    QCOMPARE(v->Cursor(), v->LineAt(0).second + (text[v->LineAt(0).second] == '\n'));
    QCOMPARE(v->TopPosition(), 0);
    QTest::keyClick(v, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(v->Cursor(), int(text.size()));
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(v->CharacterRect(int(text.size()) - 1).isValid());
    QTest::keyClick(v, Qt::Key_PageUp);
    QCOMPARE(v->CharacterRect(int(text.size()) - 1).isValid(), !scrolls);
    QTest::keyClick(v, Qt::Key_PageDown);
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(v, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(v->TopPosition() + v->Cursor(), 0);
  }

  // A screen reader asks for characters, words, lines and paragraphs.
  void textForScreenReaders_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("boundary");
    QTest::addColumn<int>("which");  // -1 before, 0 at, 1 after
    QTest::addColumn<QString>("spoken");
    QTest::newRow("character") << 1 << int(QAccessible::CharBoundary) << 0 << "l";
    QTest::newRow("line") << 3 << int(QAccessible::LineBoundary) << 0 << "Alpha beta.\n";
    QTest::newRow("next line") << 3 << int(QAccessible::LineBoundary) << 1 << "Gamma delta epsilon.\n";
    QTest::newRow("line before") << 14 << int(QAccessible::LineBoundary) << -1 << "Alpha beta.\n";
    QTest::newRow("empty line") << 33 << int(QAccessible::LineBoundary) << 0 << "\n";
    QTest::newRow("word") << 14 << int(QAccessible::WordBoundary) << 0 << "Gamma";
    QTest::newRow("paragraph") << 20 << int(QAccessible::ParagraphBoundary) << 0 << "Gamma delta epsilon.\n";
    QTest::newRow("last paragraph") << 36 << int(QAccessible::ParagraphBoundary) << 0 << "Zeta.";
  }
  void textForScreenReaders() {
    QFETCH(int, offset);
    QFETCH(int, boundary);
    QFETCH(int, which);
    QFETCH(QString, spoken);
    PageView* v = Show(kShort, {400, 200});
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(v);
    QCOMPARE(i->text(QAccessible::Name), QString("Help text"));
    QCOMPARE(i->role(), QAccessible::EditableText);
    QVERIFY(i->state().readOnly && i->state().focusable);
    QAccessibleTextInterface* t = i->textInterface();
    QVERIFY(t);
    QCOMPARE(t->characterCount(), int(kShort.size()));
    const auto type = QAccessible::TextBoundaryType(boundary);
    int start = -1, end = -1;
    const QString got = which < 0   ? t->textBeforeOffset(offset, type, &start, &end)
                        : which > 0 ? t->textAfterOffset(offset, type, &start, &end)
                                    : t->textAtOffset(offset, type, &start, &end);
    QCOMPARE(got, spoken);
    QCOMPARE(kShort.mid(start, end - start), spoken);
  }

  // A selection by mouse, by Ctrl+A or by a screen reader is what Ctrl+C
  // copies.
  void selectionIsCopied() {
    PageView* v = Show(kShort, {400, 200});
    const QRect gamma = v->CharacterRect(12), delta = v->CharacterRect(17);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, gamma.topLeft() + QPoint(1, 2));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::ShiftModifier, delta.topLeft() + QPoint(1, 2));
    QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("Gamma"));
    QTest::keyClick(v, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), kShort);
    QAccessible::queryAccessibleInterface(v)->textInterface()->setSelection(0, 6, 10);
    v->copy();
    QCOMPARE(QApplication::clipboard()->text(), QString("beta"));
  }

  // Its own menu (Copy, Select All) runs no loop of its own: a window deleted from the event loop while the menu
  // is open (a help window that lost the front) takes the menu along.
  void ownMenuGoesWithItsWindow() {
    auto* window = new QWidget;
    auto* v = new PageView(window);
    window->show();
    QTimer::singleShot(0, window, [window] { window->deleteLater(); });
    QContextMenuEvent e(QContextMenuEvent::Mouse, {5, 5}, v->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(v->viewport(), &e);
    QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu && menu->parent() == v);
    QTRY_VERIFY(!menu);
  }
};

QTEST_MAIN(PageViewTest)
#include "page_view_qtest.moc"
