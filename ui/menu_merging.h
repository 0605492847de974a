#pragma once
// Menu merging by group number. The frame's menu bar is made of its own
// top-level items and, while a document window is active, the document's:
// a document item replaces every frame item of the same group, and all
// items stand in ascending group order (frame before document within a
// group they share without replacing, which does not happen here).
//
// The frame's "&File" is group 0 and its other items group 9; a document's
// File menu is group 0 and its Edit, Search, Font, Color, Verify and Objects
// are group 1, so they stand between File and "&Window".

#include <QList>

class QAction;

namespace tolvane {

struct MergeMenuItem {
  int Group = 0;
  QAction* Item = nullptr;  // a menu's menuAction(), or a command without a menu
};

// A document window that brings menus to the frame implements this.
class MenuMergeSource {
 public:
  virtual ~MenuMergeSource() = default;
  virtual QList<MergeMenuItem> MergeMenuItems() const = 0;
};

// The menu bar's items in order.
QList<QAction*> MergeMenus(const QList<MergeMenuItem>& frameItems, const QList<MergeMenuItem>& documentItems);

}  // namespace tolvane
