// Tooltips on the items of a menu bar. Qt shows a menu item's tooltip inside
// a dropped-down menu (when the menu asks for it) but never on the bar
// itself, where greyed commands most need to say why they are grey.
#pragma once

class QMenuBar;

namespace sw {

// From now on the bar shows the tooltip of the item under the mouse, when
// the item has one of its own (not just its caption). Once per bar is
// enough; more calls do nothing.
void ShowMenuBarToolTips(QMenuBar* bar);

}  // namespace sw
