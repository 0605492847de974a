#pragma once
// The rogue-character view of a document window: the Edit menu's "Turn On
// Rogue Character Check" and "Turn Off Rogue Character Check", exactly one of
// them enabled at a time, with the reminder in the frame's status bar.
//
// The view is painted by the text area over the text (an "@" over each
// blank, a "#" at each tab); the text itself never changes. So turning it
// on or off is no edit: no undo step, no change of the modified flag, and
// copy, save, print and verify see the text as it is.

#include <QObject>
#include <QString>

#include "document_parts.h"

class QAction;

namespace tolvane {

// The status bar reminder while the view is on, and what replaces it after.
QString RogueReminderText();   // "  Space = @   Tab = # "
QString RogueReminderBlank();  // 22 blanks

class RogueView : public QObject {
  Q_OBJECT

 public:
  RogueView(const DocumentParts& parts, QAction* turnOn, QAction* turnOff);

  // The two menu commands: they set RogueMarking, then run the click.
  void TurnOnRogueCheckCommand();
  void TurnOffRogueCheckCommand();
  // Menus, status bar and the view; RogueMarking is left as it is.
  void TurnOnRogueCheck1Click();
  void TurnOffRogueCheck1Click();
  // Showing and hiding the marks; the caret goes to the end of its line.
  void RogueCharacterCheck();
  void TurnOffRogueCharacterCheck();

  // The menu items as a fresh or newly opened window has them.
  void ResetMenus();
  // The status bar reminder that goes with the window's marking.
  QString Reminder() const;

 private:
  void SetReminder(const QString& text);
  void ShowMarks(bool shown);

  DocumentParts parts_;
  QAction* turnOn_;
  QAction* turnOff_;
};

}  // namespace tolvane
