#pragma once
// What a document window and the frame that holds it need of each other.
// The document window knows the frame only as a DocumentHost; the frame
// knows its document windows only as DocumentWindows.

#include <QString>

#include "menu_merging.h"

class QMenu;
class QWidget;

namespace tolvane {

class DocumentWindow;

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;

  // The frame's New: a new, empty document window in the work area.
  virtual DocumentWindow* NewDocument() = 0;
  // The frame's Open: the open dialog, then a new window for the file chosen.
  virtual void OpenDocumentFromDialog() = 0;
  // The frame's Exit: closes the frame, which ends the program.
  virtual void ExitProgram() = 0;

  // The status bar: panel 0 (caret position) and panel 1 (rogue reminder).
  virtual void SetStatusText(int panel, const QString& text) = 0;
  // A passing notice in the status bar (a character the text cannot hold).
  virtual void ShowStatusMessage(const QString& text) = 0;
  virtual bool IsActiveDocument(const DocumentWindow* document) const = 0;

  // Makes the frame's "&Bridges" visible for the rest of the run.
  virtual void ShowBridgesCommand() = 0;
  // The open dialog back to its start: initial folder MissionFolder,
  // default extension "*.mis", filter entry 1, no file name.
  virtual void ResetOpenDialog() = 0;

  // The tool windows Form1 to Form16 by number (nullptr for any other).
  virtual QWidget* ToolForm(int number) const = 0;
  // Shows one without a modal loop and brings it to the front.
  virtual void ShowToolForm(int number) = 0;
  // Closes Form1 to Form14, those that are open.
  virtual void CloseMissionWindows() = 0;

  // Beyond the frame's standard duties; a host without them does nothing.
  // The status bar's panel for checking as you type.
  virtual void SetCheckStatus(const QString& /*text*/) {}
  // The frame's list of recently used files, which a document's File menu
  // shows too; none when the host keeps no such list.
  virtual QMenu* RecentFilesMenu() const { return nullptr; }
  // A document has been saved under this name: it goes to the top of the list.
  virtual void RememberFile(const QString& /*path*/) {}
};

class DocumentWindow : public MenuMergeSource {
 public:
  virtual QWidget* Widget() = 0;
  // Loads a file into a window the frame has just made. False when the file
  // could not be read; the window is then as it was.
  virtual bool OpenDocument(const QString& path) = 0;
  // The window has become the active one.
  virtual void FormActivate() = 0;
  // The close query: false when the window must stay open.
  virtual bool FormCloseQuery() = 0;
  // The next close goes ahead without asking again (the frame has asked
  // every window before it closes any at exit).
  virtual void AgreeToClose() = 0;
  // A window made by a document's New takes the next document number.
  virtual void TakeDocumentNumber(int number) = 0;
};

}  // namespace tolvane
