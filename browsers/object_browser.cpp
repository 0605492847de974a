#include "object_browser.h"

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "record_fields.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

const char* const Tag = ".TagIdentifier ";  // one blank
const char* const Set = ".Set  ";           // two blanks
const char* const Id = ".ID  ";             // two blanks

}  // namespace

const std::vector<BrowserKind>& BrowserKinds() {
  static const std::vector<BrowserKind> kinds = {
      {"Mission Aircraft", 1006, 654, "AircraftTable", 500, true, FindRequestRow::Aircraft,
       {{"TagId", 77, "TagId", Tag, false},
        {"Type Name ", 108, "TypeName", "", false},
        {"Squad Name     ", 130, "SquadName", "", false},
        {"Flight Name    ", 121, "FlightName", "", false},
        {"Callsign  ", 79, "Callsign", "", false},
        {"Plane 1", 70, "Plane1", Tag, false},
        {"Plane 2", 71, "Plane2", Tag, false},
        {"Plane 3", 73, "Plane3", Tag, false},
        {"Plane 4", 76, "Plane4", Tag, false},
        {"WaySet", 83, "WaySet", Set, false},
        {"Agg TagID", 66, "FlightTag", Tag, false}}},
      {"Vehicle Waypoints", 437, 467, "VehicleWaypointTable", 500, false, FindRequestRow::VehicleWaypoint,
       {{"TagId", 77, "TagId", Tag, true},
        {"Type Name ", 108, "TypeName", Tag, true},
        {"Waypoint Set", 104, "WaySet", Tag, true},
        {"WayPoint ID ", 96, "WaypointId", Tag, true}}},
      {"Mission Flight Waypoints", 737, 502, "FlightWaypointTable", 500, false, FindRequestRow::FlightWaypoint,
       {{"TagId", 77, "TagId", Tag, false},
        {"Type Name ", 108, "TypeName", "", false},
        {"Squad", 130, "SquadName", "", false},
        {"Flight", 131, "FlightName", "", false},
        {"Waypoint Set", 126, "WaySet", Set, false},
        {"Waypoint ID", 108, "WaypointId", Id, false}}},
      {"Mission Vehicles", 510, 578, "VehicleTable", 500, true, FindRequestRow::Vehicle,
       {{"TagId", 77, "TagId", "", false},
        {"Type Name ", 141, "TypeName", "", false},
        {"Item Type ", 151, "ItemType", "", false},
        {"WaySet", 91, "WaySet", Set, false}}},
      {"Mission Divisions", 414, 451, "DivisionTable", 500, true, FindRequestRow::Division,
       {{"TagId", 86, "TagId", Tag, false},
        {"Type Name ", 126, "TypeName", "", false},
        {"Division  ", 152, "Name", "", false}}},
      {"Mission Structures", 234, 467, "StructureTable", 500, true, FindRequestRow::Structure,
       {{"TagId", 77, "TagId", Tag, false}, {"Type Name ", 108, "TypeName", "", false}}},
      {"Mission Triggers", 780, 519, "TriggerTable", 500, false, FindRequestRow::Trigger,
       {{"Type Name ", 214, "TypeName", "", false},
        {"Trigger Name   ", 247, "TriggerName", "", false},
        {"TriggerATrigger Reference", 268, "LinkedTrigger", "", false}}},
      {"Mission Bridges", 734, 454, "BridgeTable", 75, true, FindRequestRow::Bridge,
       {{"Bridge Name", 187, "BridgeName", "", false},
        {"Type Name ", 209, "TypeName", "", false},
        {"Referenced By ", 203, "ReferencedBy", "", false},
        {"Line No.", 90, "LineText", "", false}}},
  };
  return kinds;
}

ObjectBrowser::ObjectBrowser(QWidget* parent, AppState& state, UserDialogs& dialogs, const BrowserKind& kind)
    : ToolWindow(parent, state, dialogs, Layout{kind.Caption, kind.Width, kind.Height}), kind_(kind) {
  const int columns = static_cast<int>(kind.Columns.size());
  // Row 0 of the grid is its header; the rows below it hold the records.
  StringGrid1 = new QTableWidget(kind.GridRows - 1, columns, this);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
  StringGrid1->setShowGrid(true);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  PaleYellow(StringGrid1, true);
  for (int column = 0; column < columns; ++column) StringGrid1->setColumnWidth(column, kind.Columns[column].Width);
  FindButton1 = new QPushButton("Find", this);
  CloseButton = new QPushButton("Close", this);
  LayOut(StringGrid1, FindButton1, CloseButton);

  connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { StringGrid1Click(); });
  connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this] {
    if (!filling_) StringGrid1Click();
  });
  connect(FindButton1, &QPushButton::clicked, this, &ObjectBrowser::FindButton1Click);
  connect(CloseButton, &QPushButton::clicked, this, &ObjectBrowser::CloseButtonClick);
  FormCreate();
}

void ObjectBrowser::FormCreate() {
  QStringList headers;
  for (const BrowserColumn& column : kind_.Columns) headers << QString::fromLatin1(column.Header);
  StringGrid1->setHorizontalHeaderLabels(headers);
  FindButton1->hide();
  SetCurrentCell(1, 0);
}

bool ObjectBrowser::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return ToolWindow::event(event);
}

QString ObjectBrowser::Cell(int row, int column) const {
  const QTableWidgetItem* item = StringGrid1->item(row - 1, column);
  return item ? item->text() : QString();
}

void ObjectBrowser::SetCurrentCell(int row, int column) {
  filling_ = true;
  StringGrid1->setCurrentCell(row - 1, column);
  filling_ = false;
}

void ObjectBrowser::FormActivate() {
  filling_ = true;
  // 1. Every cell below the header emptied.
  StringGrid1->clearContents();
  // 2. and 3. The records, as many as the grid has rows for.
  const TableDescriptor* table = FindTableDescriptor(kind_.Table);
  const int count = table ? table->Count(State.Mission) : 0;
  const int shown = std::min(count, kind_.GridRows - 1);
  std::vector<int> fields;
  for (const BrowserColumn& column : kind_.Columns) fields.push_back(table ? table->FieldIndex(column.Field) : -1);
  for (int record = 1; record <= shown; ++record) {
    for (int column = 0; column < static_cast<int>(fields.size()); ++column) {
      const std::string text = table->Text(State.Mission, record, fields[column]);
      StringGrid1->setItem(record - 1, column,
                           new QTableWidgetItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))));
    }
    if (kind_.BackToFirstCell) StringGrid1->setCurrentCell(0, 0);
  }
  filling_ = false;
  // 4.
  Request().Text.clear();
}

void ObjectBrowser::StringGrid1Click() {
  // 1.
  const int row = StringGrid1->currentRow() + 1;
  const int column = StringGrid1->currentColumn();
  if (row < 1 || column < 0 || column >= static_cast<int>(kind_.Columns.size())) return;
  const QString cell = Cell(row, column);
  // 2. An empty cell or a marker text such as "[Vehicle]" gives nothing.
  if (cell.isEmpty() || cell.startsWith(QLatin1Char('['))) {
    FindButton1->hide();
    return;
  }
  // 3.
  const BrowserColumn& rule = kind_.Columns[column];
  QString text = QString::fromLatin1(rule.Prefix) + (rule.FromRowTag ? Cell(row, 0) : cell);
  // 4.
  StringGrid1->setFocus();
  // 5.
  std::string bytes = text.toLatin1().toStdString();
  TrimBlanks(bytes);
  Request().Text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  // 6.
  if (!Request().Text.isEmpty()) FindButton1->show();
}

void ObjectBrowser::FindButton1Click() {
  Request().Flag = true;
  hide();
}

void ObjectBrowser::CloseButtonClick() {
  Request().Flag = false;
  FindButton1->hide();
  hide();
}

#define TOLVANE_BROWSER_ROW(Name, index) \
  Name::Name(QWidget* parent, AppState& state, UserDialogs& dialogs) \
      : ObjectBrowser(parent, state, dialogs, BrowserKinds()[index]) {}

TOLVANE_BROWSER_ROW(TForm6, 0)
TOLVANE_BROWSER_ROW(TForm7, 1)
TOLVANE_BROWSER_ROW(TForm9, 2)
TOLVANE_BROWSER_ROW(TForm10, 3)
TOLVANE_BROWSER_ROW(TForm11, 4)
TOLVANE_BROWSER_ROW(TForm12, 5)
TOLVANE_BROWSER_ROW(TForm13, 6)
TOLVANE_BROWSER_ROW(TForm14, 7)

#undef TOLVANE_BROWSER_ROW

}  // namespace tolvane
