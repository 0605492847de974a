#pragma once
// The real dialogs: Qt message boxes and Qt's own (non-native) file
// dialogs, so that the filter index, the type change and the default
// extension behave the same on every desktop.

#include "user_dialogs.h"

namespace tolvane {

// The save dialog accepts a new file name and asks before it replaces an
// existing file; the open dialog accepts existing files only.
class QtUserDialogs : public UserDialogs {
 public:
  void Inform(QWidget* parent, const QString& text) override;
  Answer AskYesNoCancel(QWidget* parent, const QString& text) override;
  Answer AskYesCancel(QWidget* parent, const QString& text) override;
  Answer AskYesNo(QWidget* parent, const QString& text) override;
  QString ChooseOpenFile(QWidget* parent, FileDialogRequest& request) override;
  QString ChooseSaveFile(QWidget* parent, FileDialogRequest& request) override;
  int AskLineNumber(QWidget* parent, int current, int last) override;
};

// The default extension that goes with a filter entry: the pattern inside
// its parentheses, "Mission Files (*.mis)" gives "*.mis"; an entry without
// one gives `current`.
QString ExtensionOfFilter(const QString& filter, const QString& current);

// "*.mis" as a suffix the file dialog appends to a name typed without one:
// "mis"; "*.*" and anything else: none.
QString SuffixOfExtension(const QString& extension);

}  // namespace tolvane
