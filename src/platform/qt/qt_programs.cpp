#include "platform/qt/qt_programs.h"

#include <signal.h>

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>

#include "platform/qt/qt_ui.h"

namespace sw {

namespace {

// Runs wmctrl and waits briefly; the output, or nothing when it failed.
std::optional<std::string> RunWmctrl(const QString& wmctrl, const QStringList& arguments) {
  QProcess p;
  p.start(wmctrl, arguments);
  if (!p.waitForFinished(3000)) {
    p.kill();
    p.waitForFinished(1000);
    return std::nullopt;
  }
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return std::nullopt;
  return FromQ(QString::fromLocal8Bit(p.readAllStandardOutput()));
}

}  // namespace

int64_t QtPrograms::Start(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingFolder) {
  QStringList args;
  for (const std::string& a : arguments) args << ToQ(a);
  qint64 pid = 0;
  if (!QProcess::startDetached(ToQ(program), args, ToQ(workingFolder), &pid)) return 0;
  return pid;
}

bool QtPrograms::StillRunning(int64_t pid) {
  if (pid <= 0) return false;
  return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool QtPrograms::Open(const std::string& pathOrAddress) {
  const QString s = ToQ(pathOrAddress);
  const QUrl url = s.contains("://") ? QUrl(s) : QUrl::fromLocalFile(s);
  return QDesktopServices::openUrl(url);
}

// Only an X11 window manager that wmctrl can talk to lets us list and raise
// another program's windows; `wmctrl -a` itself matches any part of a title,
// so the window is picked here and raised by its id.
Activation QtPrograms::Activate(const std::string& title) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return Activation::CannotTell;
  const QString wmctrl = QStandardPaths::findExecutable("wmctrl");
  if (wmctrl.isEmpty()) return Activation::CannotTell;
  const std::optional<std::string> list = RunWmctrl(wmctrl, {"-l"});
  if (!list) return Activation::CannotTell;
  const std::optional<std::string> id = FindWindowId(*list, title);
  if (!id) return Activation::NotRunning;
  return RunWmctrl(wmctrl, {"-i", "-a", ToQ(*id)}) ? Activation::Activated : Activation::CannotTell;
}

}  // namespace sw
