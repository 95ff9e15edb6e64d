#include "platform/qt/fixed_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace sw {

QFont FixedPitchFont() {
  static const QStringList kFamilies = {"DejaVu Sans Mono", "Liberation Mono", "Courier New",
                                        "Noto Mono",        "Nimbus Mono PS",  "FreeMono"};
  const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : kFamilies) {
    if (!installed.contains(family, Qt::CaseInsensitive)) continue;
    QFont f(family, system.pointSize());
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (QFontInfo(f).fixedPitch()) return f;
  }
  QFont f = system;
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  return f;
}

}  // namespace sw
