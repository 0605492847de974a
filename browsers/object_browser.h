#pragma once
// The object browsers: one window per kind of object the verifier collected,
// each a read-only grid over its table, refilled every time the window is
// activated. Clicking a cell turns it into a search text by the window's
// click rule; Find closes the window and leaves a find request that the
// document window carries out when it is next activated.
//
// The eight windows differ only in what the browser table says of them:
// caption, size, source table, columns (header, width, field, click rule),
// grid rows and whether the current cell goes back to the first cell after
// each row. TForm6 to TForm14 are that table's rows under their own names.

#include <vector>

#include "tool_window.h"

class QPushButton;
class QTableWidget;

namespace tolvane {

struct BrowserColumn {
  const char* Header;  // exact, trailing blanks included
  int Width;
  const char* Field;  // the record field shown
  // The click rule: the search text is Prefix + the cell ("" for the cell
  // alone); with FromRowTag, Prefix + the row's cell in column 0.
  const char* Prefix;
  bool FromRowTag;
};

struct BrowserKind {
  const char* Caption;
  int Width;
  int Height;
  const char* Table;  // the source table, by its name in the core
  int GridRows;       // header row included
  bool BackToFirstCell;  // the current cell to column 0, row 1 after each row
  FindRequestRow Request;
  std::vector<BrowserColumn> Columns;
};

class ObjectBrowser : public ToolWindow {
  Q_OBJECT

 public:
  QTableWidget* StringGrid1 = nullptr;
  QPushButton* FindButton1 = nullptr;
  QPushButton* CloseButton = nullptr;

  // Refills the grid from the tables the last verification left and clears
  // the window's find text.
  void FormActivate();
  // Builds the search text from the current cell; shows or hides Find.
  void StringGrid1Click();
  void FindButton1Click();
  void CloseButtonClick();

  const BrowserKind& Kind() const { return kind_; }
  // The cell in grid row `row` (1 is the first record) and column `column`.
  QString Cell(int row, int column) const;
  void SetCurrentCell(int row, int column);

 protected:
  ObjectBrowser(QWidget* parent, AppState& state, UserDialogs& dialogs, const BrowserKind& kind);
  bool event(QEvent* event) override;

 private:
  void FormCreate();
  FindRequest& Request() { return State.Request(kind_.Request); }

  const BrowserKind& kind_;
  bool filling_ = false;
};

// The eight browsers, in the order of the browser table.
const std::vector<BrowserKind>& BrowserKinds();

#define TOLVANE_BROWSER(Name)                                       \
  class Name : public ObjectBrowser {                               \
   public:                                                          \
    Name(QWidget* parent, AppState& state, UserDialogs& dialogs);   \
  };

TOLVANE_BROWSER(TForm6)   // "Mission Aircraft"
TOLVANE_BROWSER(TForm7)   // "Vehicle Waypoints"
TOLVANE_BROWSER(TForm9)   // "Mission Flight Waypoints"
TOLVANE_BROWSER(TForm10)  // "Mission Vehicles"
TOLVANE_BROWSER(TForm11)  // "Mission Divisions"
TOLVANE_BROWSER(TForm12)  // "Mission Structures"
TOLVANE_BROWSER(TForm13)  // "Mission Triggers"
TOLVANE_BROWSER(TForm14)  // "Mission Bridges"

#undef TOLVANE_BROWSER

}  // namespace tolvane
