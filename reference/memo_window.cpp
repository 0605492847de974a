#include "memo_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

#include "mission_text_io.h"

namespace tolvane {

MemoWindow::MemoWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout,
                       const MemoLook& look)
    : ToolWindow(parent, state, dialogs, layout) {
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  // Fixed-pitch, as the texts are laid out: their rules of "=" and their
  // columns line up, and the widest line fits the window.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(9);
  Memo1->setFont(font);
  // Tabs are text; a tab stop every eight characters.
  Memo1->setTabChangesFocus(false);
  Memo1->setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
  Memo1->setLineWrapMode(look.WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(look.VerticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  PaleYellow(Memo1, false);
}

QPushButton* MemoWindow::MakeButton(const QString& caption, bool visible) {
  auto* button = new QPushButton(caption, this);
  button->setAutoDefault(false);
  button->setVisible(visible);
  return button;
}

void MemoWindow::PlaceButtons(QPushButton* left, QPushButton* right) { LayOut(Memo1, left, right); }

QString MemoWindow::MemoText() const {
  // Block by block, so a no-break space stays what it is.
  QStringList lines;
  for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next()) lines << block.text();
  return lines.join(QLatin1Char('\n'));
}

bool MemoWindow::ReadProgramFile(const QString& name, QString& text, QString& error) const {
  return ReadMissionText(State.ProgramFile(name), text, error);
}

bool MemoWindow::WriteMemo(const QString& name) {
  QString error;
  if (WriteMissionText(State.ProgramFile(name), MemoText(), error)) return true;
  Dialogs.Inform(this, error);
  return false;
}

EditedMemoWindow::EditedMemoWindow(QWidget* parent, AppState& state, UserDialogs& dialogs, const Layout& layout,
                                   const MemoLook& look, const char* fileName)
    : MemoWindow(parent, state, dialogs, layout, look), fileName_(fileName) {
  connect(Memo1, &QPlainTextEdit::textChanged, this, &EditedMemoWindow::Memo1Change);
}

void EditedMemoWindow::ShowText(const QString& text) {
  Memo1->setPlainText(text);
  changed_ = false;
}

void EditedMemoWindow::SaveMemo() {
  if (WriteMemo(fileName_)) changed_ = false;
}

void EditedMemoWindow::closeEvent(QCloseEvent* event) {
  if (changed_) SaveMemo();
  if (changed_) {
    event->ignore();
  } else {
    event->accept();
  }
}

}  // namespace tolvane
