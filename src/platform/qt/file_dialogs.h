// The file and folder dialogs of the program's windows: modal over their
// window, never on the stack (the window may be unloaded while one is open),
// and counted as a handler's wait.
#pragma once

#include <QString>

class QWidget;

namespace sw {

// The chosen file's path, "" after Cancel.
QString ChooseFileToOpen(QWidget* parent, const QString& title, const QString& startFolder, const QString& filter);
// The chosen folder's path, "" after Cancel.
QString ChooseFolder(QWidget* parent, const QString& title, const QString& startFolder);

}  // namespace sw
