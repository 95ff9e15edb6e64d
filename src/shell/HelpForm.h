// The paged help window. Callers choose a topic with ShowHelpTopic (or set
// HelpMenuNumber and HelpPage = 0 and show the window); it shows the pages
// of that topic with "Next Screen" and "Last (previous) Screen", and closes
// on "Cancel" or when another window of the program comes to the front.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace sw {

class DeactivateWatch;

class HelpForm : public QWidget {
  Q_OBJECT
 public:
  // The one instance, created on first use and deleted when closed.
  static HelpForm& Default();
  static HelpForm* Loaded();

  // Reads the page HelpMenuNumber / HelpPage and shows it (the design's
  // Form_Load, also run by the page buttons).
  void ShowPage();

  QLabel* Label1 = nullptr;
  QPushButton* Command1 = nullptr;  // "Next Screen"
  QPushButton* Command2 = nullptr;  // "Cancel"
  QPushButton* Command3 = nullptr;  // "Last (previous) Screen"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  HelpForm();
  ~HelpForm() override;
  DeactivateWatch* watch_ = nullptr;
};

// Sets the topic, page 0, and shows the help window (not modal).
void ShowHelpTopic(int topic);

}  // namespace sw
