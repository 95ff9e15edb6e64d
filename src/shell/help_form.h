// The paged help window. Callers choose a topic with ShowHelpTopic (or set
// shell.HelpMenuNumber and shell.HelpPage = 0 and show the window); it shows
// the pages of that topic with "Next Screen" and "Last (previous) Screen",
// and closes on "Cancel" or when another window of the program comes to the
// front.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <utility>

#include "platform/qt/page_view.h"

namespace sw {

class DeactivateWatch;

class HelpForm : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<HelpForm>.
  HelpForm();
  ~HelpForm() override;

  // Reads the page shell.HelpMenuNumber / shell.HelpPage and shows it (the
  // window's load, also run by the page buttons).
  void ShowPage();

  PageView* Label1 = nullptr;  // the page's text, read-only
  QPushButton* Command1 = nullptr;  // "Next Screen"
  QPushButton* Command2 = nullptr;  // "Cancel"
  QPushButton* Command3 = nullptr;  // "Last (previous) Screen"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // Gives the text the height of the topic's longest page, as far as the
  // screen has room; a longer page scrolls. `shown` is the page shown.
  void FitTopic(const QString& shown);
  DeactivateWatch* watch_ = nullptr;
  std::pair<int, int> sizedFor_{-1, -1};  // topic and spec menu the height was found for
};

// Sets the topic, page 0, and shows the help window (not modal).
void ShowHelpTopic(int topic);

}  // namespace sw
