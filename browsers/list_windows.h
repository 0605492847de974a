#pragma once
// The two list windows: "Objects" lists the stock object type names of
// ObjectNames.Txt, "Bridges" the game's named bridges by map area. A click
// on a name makes it the text to locate (LocateText); Find closes the window
// and leaves a request that the document window carries out when it is next
// activated. In the bridge list a click alone already files the request.

#include <QStringList>

#include "tool_window.h"

class QListWidget;
class QPushButton;

namespace tolvane {

// What the two windows share: the list box, Find and Close, and the click.
class ListWindow : public ToolWindow {
  Q_OBJECT

 public:
  QListWidget* ListBox1 = nullptr;
  QPushButton* FindButton1 = nullptr;
  QPushButton* CloseButton1 = nullptr;

  void ListBox1Click();
  virtual void FindButton1Click() = 0;
  virtual void CloseButton1Click() = 0;

 protected:
  ListWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout, bool bridges);
  void SetItems(const QStringList& items);

 private:
  const bool bridges_;
};

class TForm5 : public ListWindow {  // "Objects"
  Q_OBJECT

 public:
  TForm5(QWidget* parent, AppState& state, UserDialogs& dialogs);

  void FormActivate();
  void FindButton1Click() override;
  void CloseButton1Click() override;

 protected:
  bool event(QEvent* event) override;

 private:
  void FormCreate();
};

class TForm8 : public ListWindow {  // "Bridges"
  Q_OBJECT

 public:
  TForm8(QWidget* parent, AppState& state, UserDialogs& dialogs);

  void FindButton1Click() override;
  void CloseButton1Click() override;
};

// The bridge list, 68 lines: "[Bridge Names]", then the five areas with
// their numbered bridges.
QStringList BridgeListLines();

}  // namespace tolvane
