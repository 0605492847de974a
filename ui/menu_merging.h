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
#include <QMenuBar>
#include <QPointer>

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

// The frame's menu bar. Merging puts a document's items beside the frame's,
// so two items may share a mnemonic ("&Color" and "&Checks", "Fon&t" and
// "&Triggers"). Alt with such a letter runs neither: each press moves the
// highlight to the next item with that letter, as the bar does for a letter
// typed while it has the keyboard. Enter then runs the highlighted item,
// the arrow keys move on, Escape leaves the bar; either way the keyboard
// goes back to where it was. A letter that only one item has runs it at
// once, as ever.
class MergedMenuBar : public QMenuBar {
  Q_OBJECT

 public:
  explicit MergedMenuBar(QWidget* parent = nullptr);

  // The visible items whose mnemonic is key (Alt and a letter).
  QList<QAction*> ItemsWithMnemonic(const QKeySequence& key) const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void HighlightNextWithMnemonic(const QKeySequence& key);
  // Nothing highlighted, no menu open.
  void Leave();
  void HandBackKeyboard();

  QPointer<QWidget> returnFocus_;
};

}  // namespace tolvane
