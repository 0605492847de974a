#include "list_windows.h"

#include <QEvent>
#include <QListWidget>
#include <QPushButton>

#include "mission_text_io.h"
#include "statement_reader.h"

namespace tolvane {

namespace {

// The bridges of each map area, in list order.
const std::vector<std::vector<const char*>> BridgeAreas = {
    {"Beringer_1", "Beringer_2", "Hasselt", "Namur", "Dinant", "Rochefort", "Lieramont"},
    {"Sittard", "Liege_4", "Liege_2", "Liege_1", "Liege_3", "Werebemont", "Houffalize_1", "Houffalize_2",
     "Ortheville", "Neufchateau_1", "Neufchateau_2"},
    {"Vervier_2", "Vervier_1", "Spa_1", "Spa_2", "Malmedy_3", "Malmedy_4", "Trois_Ponts", "Malmedy_1",
     "Malmedy_2", "Malmedy_5", "St_Vith_1", "Dashburg", "Ettlebruck"},
    {"Duren_1", "Duren_2", "Duren_3", "Duren_4", "Duren_5", "Euskirchen_1", "Euskirchen_2", "Euskirchen_3",
     "Euskirchen_4", "Malmedy_6", "St_Vith_2", "Bitburg"},
    {"Koln_3", "Koln_2", "Bonn_3", "Bonn_2", "Bonn_1", "Remagen", "Koln_1", "Euskirchen_6", "Euskirchen_5",
     "Koblenz_4", "Koblenz_3", "Koblenz_2", "Koblenz_1"},
};

// Blanks and tabs off both ends, as the verifier trims.
QString Trimmed(const QString& text) {
  std::string bytes = text.toStdString();
  TrimBlanks(bytes);
  return QString::fromStdString(bytes);
}

}  // namespace

QStringList BridgeListLines() {
  QStringList lines{"[Bridge Names]", ""};
  for (std::size_t area = 0; area < BridgeAreas.size(); ++area) {
    lines << QString("[AREA %1]").arg(area + 1);
    int number = 0;
    for (const char* bridge : BridgeAreas[area]) {
      ++number;
      // The number, a period and blanks, four characters in all.
      lines << QString("%1.").arg(number).leftJustified(4, QLatin1Char(' ')) + bridge;
    }
    if (area == 0) lines << "";
    if (area + 1 < BridgeAreas.size()) lines << "";
  }
  return lines;
}

ListWindow::ListWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout, bool bridges)
    : ToolWindow(parent, state, dialogs, layout), bridges_(bridges) {
  ListBox1 = new QListWidget(this);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  PaleYellow(ListBox1, true);
  ListBox1->setUniformItemSizes(true);
  FindButton1 = new QPushButton("Find", this);
  CloseButton1 = new QPushButton("Close", this);
  LayOut(ListBox1, FindButton1, CloseButton1);

  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
  connect(FindButton1, &QPushButton::clicked, this, [this] { FindButton1Click(); });
  connect(CloseButton1, &QPushButton::clicked, this, [this] { CloseButton1Click(); });
  FindButton1->hide();
}

void ListWindow::SetItems(const QStringList& items) {
  ListBox1->clear();
  ListBox1->addItems(items);
  for (int i = 0; i < ListBox1->count(); ++i) ListBox1->item(i)->setSizeHint(QSize(0, 16));
}

void ListWindow::ListBox1Click() {
  // 1.
  QListWidgetItem* item = ListBox1->currentItem();
  if (!item || !item->isSelected()) return;
  // 2. A separator line leaves the pending request as it is.
  const QString text = item->text();
  if (text.isEmpty()) return;
  // 3.
  QString& locate = State.LocateText;
  locate = text;
  // 4. A header line.
  if (locate.contains(QLatin1Char('['))) {
    locate.clear();
    return;
  }
  // 5. A bridge files its request at once; its number goes.
  if (bridges_) {
    State.BridgeListFindFlag() = true;
    locate.remove(0, 4);
  }
  // 6.
  locate = Trimmed(locate);
  // 7.
  if (!bridges_) {
    if (State.DocumentCount >= 1 && !locate.isEmpty()) FindButton1->show();
  } else if (State.DocumentCount < 1) {
    locate.clear();
  } else {
    FindButton1->show();
  }
}

// ---------------------------------------------------------------------------
// Objects

TForm5::TForm5(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : ListWindow(parent, state, dialogs, Layout{"Objects", 280, 464, 545, 0, true}, false) {
  FormCreate();
}

void TForm5::FormCreate() {
  // The lines of ObjectNames.Txt, one item each; a file that cannot be read
  // is reported with its reason and the list stays empty.
  QString text;
  QString error;
  if (ReadMissionText(State.ProgramFile("ObjectNames.Txt"), text, error)) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    SetItems(lines);
  } else {
    Dialogs.Inform(this, error);
  }
  FindButton1->hide();
}

bool TForm5::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return ToolWindow::event(event);
}

void TForm5::FormActivate() {
  FindButton1->hide();
  State.LocateText.clear();
  State.ObjectFindFlag() = false;
}

void TForm5::FindButton1Click() {
  State.ObjectFindFlag() = true;
  hide();
}

void TForm5::CloseButton1Click() {
  ListBox1->clearSelection();
  FindButton1->hide();
  hide();
}

// ---------------------------------------------------------------------------
// Bridges

TForm8::TForm8(QWidget* parent, AppState& state, UserDialogs& dialogs)
    : ListWindow(parent, state, dialogs, Layout{"Bridges", 280, 513, 506, 0, true}, true) {
  SetItems(BridgeListLines());
  FindButton1->hide();
}

void TForm8::FindButton1Click() {
  State.BridgeListFindFlag() = true;
  hide();
}

void TForm8::CloseButton1Click() {
  ListBox1->clearSelection();
  State.BridgeListFindFlag() = false;
  FindButton1->hide();
  State.LocateText.clear();
  hide();
}

}  // namespace tolvane
