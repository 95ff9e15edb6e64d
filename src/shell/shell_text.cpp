#include "shell/shell_text.h"

#include "platform/qt/qt_ui.h"

namespace sw {

QString LabelText(const std::string& text) {
  QString in = DisplayText(text), out;
  out.reserve(in.size());
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] == QChar('&')) {
      if (i + 1 < in.size() && in[i + 1] == QChar('&')) {
        out += QChar('&');
        ++i;
      }
      continue;
    }
    out += in[i];
  }
  return out;
}

}  // namespace sw
