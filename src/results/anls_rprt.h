// "Analysis Report": a plain text viewer with Print and Cancel. The dial-in
// window shows its help texts here; Print lays the text out on pages of its
// own, each with the three header lines, in a fixed-pitch font.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace sw {

class PrintPage;

class AnlsRprt : public QWidget {
  Q_OBJECT

 public:
  AnlsRprt();
  ~AnlsRprt() override;

  static AnlsRprt* Default();  // loads the window when needed
  static AnlsRprt* IfLoaded();
  // Loads the window, puts the text in and shows it.
  static void ShowText(const std::string& text);

  QPlainTextEdit* Text1;
  std::vector<QPushButton*> Command1;  // 0 "Print", 1 "Cancel"

  void Command1_Click(int index);

  // The printout of the text box's text: pages of the page's size, every one
  // headed; `time` is the time of the Print click. Returns the lines printed,
  // page by page.
  std::vector<std::vector<std::string>> PrintPages(PrintPage& page, const std::string& time) const;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

}  // namespace sw
