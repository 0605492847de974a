#include "menu_merging.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QSet>
#include <QShortcutEvent>

#include <algorithm>

namespace tolvane {

QList<QAction*> MergeMenus(const QList<MergeMenuItem>& frameItems, const QList<MergeMenuItem>& documentItems) {
  QSet<int> documentGroups;
  for (const MergeMenuItem& item : documentItems)
    if (item.Item) documentGroups.insert(item.Group);

  QList<MergeMenuItem> merged;
  for (const MergeMenuItem& item : frameItems)
    if (item.Item && !documentGroups.contains(item.Group)) merged.append(item);
  for (const MergeMenuItem& item : documentItems)
    if (item.Item) merged.append(item);

  std::stable_sort(merged.begin(), merged.end(),
                   [](const MergeMenuItem& a, const MergeMenuItem& b) { return a.Group < b.Group; });

  QList<QAction*> actions;
  for (const MergeMenuItem& item : merged) actions.append(item.Item);
  return actions;
}

MergedMenuBar::MergedMenuBar(QWidget* parent) : QMenuBar(parent) {
  // A command chosen in a menu opened from here hands the keyboard back too.
  connect(this, &QMenuBar::triggered, this, [this] { HandBackKeyboard(); });
}

QList<QAction*> MergedMenuBar::ItemsWithMnemonic(const QKeySequence& key) const {
  QList<QAction*> items;
  for (QAction* action : actions())
    if (action->isVisible() && action->isEnabled() && !action->isSeparator() &&
        QKeySequence::mnemonic(action->text()) == key)
      items.append(action);
  return items;
}

bool MergedMenuBar::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut) {
    auto* shortcut = static_cast<QShortcutEvent*>(event);
    if (shortcut->isAmbiguous() && ItemsWithMnemonic(shortcut->key()).size() > 1) {
      HighlightNextWithMnemonic(shortcut->key());
      return true;
    }
  }
  return QMenuBar::event(event);
}

void MergedMenuBar::HighlightNextWithMnemonic(const QKeySequence& key) {
  const QList<QAction*> items = ItemsWithMnemonic(key);
  QAction* next = items.value(items.indexOf(activeAction()) + 1, items.first());
  QWidget* focus = QApplication::focusWidget();
  if (focus != this) returnFocus_ = focus;
  setFocus(Qt::ShortcutFocusReason);
  setActiveAction(next);
}

void MergedMenuBar::keyPressEvent(QKeyEvent* event) {
  QAction* current = activeAction();
  const int key = event->key();
  if (current && !current->menu() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    // The highlighted command runs with the keyboard back where it was.
    Leave();
    HandBackKeyboard();
    event->accept();
    current->trigger();
    return;
  }
  QMenuBar::keyPressEvent(event);
  if (!activeAction()) HandBackKeyboard();
}

void MergedMenuBar::focusOutEvent(QFocusEvent* event) {
  // Clicked elsewhere: nothing stays highlighted. A menu of the bar taking
  // the keyboard is no leaving.
  if (event->reason() != Qt::PopupFocusReason && activeAction()) Leave();
  QMenuBar::focusOutEvent(event);
}

void MergedMenuBar::Leave() {
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QMenuBar::keyPressEvent(&escape);
}

void MergedMenuBar::HandBackKeyboard() {
  QPointer<QWidget> target = returnFocus_;
  returnFocus_.clear();
  if (target && hasFocus()) target->setFocus(Qt::MenuBarFocusReason);
}

}  // namespace tolvane
