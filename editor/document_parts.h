#pragma once
// What a document window's command objects work on: the window (parent of
// their dialogs), its document and text area, the program's shared state and
// dialogs, and the frame that holds the window.

class QWidget;

namespace tolvane {

struct AppState;
class DocumentHost;
class MissionDocument;
class MissionEditor;
class UserDialogs;

struct DocumentParts {
  QWidget* Window = nullptr;
  MissionDocument* Document = nullptr;
  MissionEditor* Editor = nullptr;
  AppState* State = nullptr;
  UserDialogs* Dialogs = nullptr;
  DocumentHost* Host = nullptr;  // none for a window outside a frame
};

}  // namespace tolvane
