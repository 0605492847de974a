#pragma once
// The rogue-character view of a document window: the Edit menu's "Turn On
// Rogue Character Check" and "Turn Off Rogue Character Check", exactly one of
// them enabled at a time, with the reminder in the frame's status bar.

#include <QObject>

#include "document_parts.h"

class QAction;

namespace tolvane {

class RogueView : public QObject {
  Q_OBJECT

 public:
  RogueView(const DocumentParts& parts, QAction* turnOn, QAction* turnOff);

  // The two menu commands: they set RogueMarking, then run the click.
  void TurnOnRogueCheckCommand();
  void TurnOffRogueCheckCommand();
  // Menus, status bar and the text; RogueMarking is left as it is.
  void TurnOnRogueCheck1Click();
  void TurnOffRogueCheck1Click();
  // The two text rewrites.
  void RogueCharacterCheck();
  void TurnOffRogueCharacterCheck();

  // The menu items as a fresh or newly opened window has them.
  void ResetMenus();
  // The status bar reminder that goes with the window's marking.
  QString Reminder() const;

 private:
  void SetReminder(const QString& text);

  DocumentParts parts_;
  QAction* turnOn_;
  QAction* turnOff_;
};

}  // namespace tolvane
