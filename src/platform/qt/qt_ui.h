// The program's message boxes, input boxes, event pump and hourglass on Qt.
#pragma once

#include <QString>
#include <string>

#include "platform/ui.h"

namespace sw {

inline QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
inline std::string FromQ(const QString& s) { return s.toUtf8().toStdString(); }
// Message texts are built with CR (character 13) for a line break.
QString DisplayText(const std::string& s);

class QtUi : public UserInterface {
 public:
  int MsgBox(const std::string& prompt, int style, const std::string& title) override;
  InputAnswer InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  void DoEvents() override;
  void SetBusyCursor(bool busy) override;

 private:
  bool busy_ = false;
};

}  // namespace sw
