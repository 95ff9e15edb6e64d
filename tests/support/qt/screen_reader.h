// A screen reader's request, handed in as the desktop's accessibility bridge hands it in (a call from another
// program to an object of Qt's D-Bus, carried out from the event loop): what `act` changes comes from outside. The hold over controls the racer cannot work may undo a change in `target` (or in the option
// or menu item of its group that the change clears), and nowhere else: every window test stops on any other undo.
#pragma once

#include <functional>

class QObject;

namespace sw::test {

void AsScreenReader(QObject* target, const std::function<void()>& act);

}  // namespace sw::test
