#pragma once
// Driving the real Qt dialogs from a test: a step runs on the modal dialog
// once it shows, and a dialog that never shows, or one of another kind, ends
// the wait after a few seconds instead of hanging the test.

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace tolvane {

// Runs `step` on the modal dialog of type T once it is showing. After five
// seconds without one, a modal dialog of any other kind is rejected (so its
// exec() returns) and the wait ends with a test failure message.
template <typename T>
void WhenShown(std::function<void(T*)> step) {
  auto deadline = std::make_shared<QDeadlineTimer>(5000);
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [step, poll, deadline] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<T*>(modal)) {
      step(dialog);
      return;
    }
    if (deadline->hasExpired()) {
      qWarning("WhenShown: the expected dialog did not show");
      if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
      return;
    }
    QTimer::singleShot(10, *poll);
  };
  QTimer::singleShot(0, *poll);
}

// Picks entry `index` (0-based) of the file-type list as the user would.
inline void PickType(QFileDialog* dialog, int index) {
  auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
  QVERIFY(combo);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  emit combo->textActivated(combo->itemText(index));
}

inline void TypeNameAndAccept(QFileDialog* dialog, const QString& name) {
  auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
  QVERIFY(edit);
  edit->setText(name);
  QMetaObject::invokeMethod(dialog, "accept");
}

}  // namespace tolvane
