// Printing: the printer font choice, the printed report, worksheet and
// definitions, the printout options window, window images and the ASCII
// export of the run table.
#include <QtTest>
#include <algorithm>

#include "printing/printer_fonts.h"

using namespace sw;

namespace {

using Families = std::vector<std::string>;

}  // namespace

class PrintingTest : public QObject {
  Q_OBJECT
 private slots:
  // --- printer fonts: the order of preference beats the order of the list
  void fixedFontChoice() {
    struct Case {
      Families families;
      std::string fallback, expected;
    };
    const Case cases[] = {
        {{"Fixedsys", "Courier New"}, "", "Courier New"},
        {{"Arial", "Terminal", "Liberation Mono"}, "", "Terminal"},
        {{"courier", "My Fixedsys Font"}, "", "My Fixedsys Font"},  // "Courier" is case-sensitive
        {{"Courie", "System Mono"}, "", "System Mono"},
        {{"Noto Sans", "DejaVu Sans Mono", "Liberation Mono"}, "", "Liberation Mono"},
        {{"Noto Sans", "nimbus mono ps", "DejaVu Sans Mono"}, "", "nimbus mono ps"},
        {{"Noto Sans", "DejaVu Sans Mono Bold"}, "Monospace", "Monospace"},
        {{}, "", ""},
        {{"Noto Sans"}, "", ""},
    };
    for (const Case& c : cases) QCOMPARE(ChooseFixedPrinterFont(c.families, c.fallback), c.expected);
  }

  void proportionalFontChoice() {
    struct Case {
      Families families;
      std::string fallback, expected;
    };
    const Case cases[] = {
        {{"MS Sans Serif", "Arial"}, "", "Arial"},  // the first candidate has no blank
        {{"Arial", "MSSansSerif"}, "", "MSSansSerif"},
        {{"arial narrow", "Univers"}, "", "arial narrow"},
        {{"Roman", "Universal"}, "", "Universal"},
        {{"DejaVu Sans", "Nimbus Sans", "Liberation Sans"}, "", "Liberation Sans"},
        {{"DejaVu Sans Mono", "DejaVu Sans"}, "", "DejaVu Sans"},
        {{"Noto Serif"}, "Sans Serif", "Sans Serif"},
        {{}, "", ""},
    };
    for (const Case& c : cases) QCOMPARE(ChooseProportionalPrinterFont(c.families, c.fallback), c.expected);
  }

  // With Liberation installed the real font list gives the Liberation pair.
  void installedFonts() {
    const Families installed = PrinterFontFamilies();
    QVERIFY(!installed.empty());
    QVERIFY(!SelectFixedPrinterFont().empty());
    QVERIFY(!SelectProportionalPrinterFont().empty());
    if (std::find(installed.begin(), installed.end(), "Liberation Mono") != installed.end() &&
        std::none_of(installed.begin(), installed.end(), [](const std::string& f) {
          return f.rfind("Courier", 0) == 0 || f.find("Fixedsys") != std::string::npos ||
                 f.find("Terminal") != std::string::npos || f.find("System") != std::string::npos;
        }))
      QCOMPARE(SelectFixedPrinterFont(), std::string("Liberation Mono"));
  }
};

QTEST_MAIN(PrintingTest)
#include "printing_qtest.moc"
