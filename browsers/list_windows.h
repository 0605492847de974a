#pragma once
// The two list windows: "Objects" (the stock object type names of
// ObjectNames.Txt) and "Bridges" (the game's named bridges). A click makes a
// name the text to locate; Find leaves a request for the document window.

#include "tool_window.h"

namespace tolvane {

class TForm5 : public ToolWindow {  // "Objects"
  Q_OBJECT
 public:
  TForm5(QWidget* parent, AppState& state, UserDialogs& dialogs);
};

class TForm8 : public ToolWindow {  // "Bridges"
  Q_OBJECT
 public:
  TForm8(QWidget* parent, AppState& state, UserDialogs& dialogs);
};

}  // namespace tolvane
