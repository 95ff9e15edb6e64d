// The main window's MDI area, where the child windows open. Empty, it shows
// the product's name faintly, as the backdrop of the main screen.
#pragma once

#include <QMdiArea>

namespace sw {

class MainMdiArea : public QMdiArea {
  Q_OBJECT
 public:
  explicit MainMdiArea(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

}  // namespace sw
