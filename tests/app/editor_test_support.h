#pragma once
// What the document-window tests share: a program folder of our own in a
// temporary folder, a frame that answers its dialogs from a script, and
// small helpers to open, close and read documents.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTest>

#include <memory>

#include "display_commands.h"
#include "edit_form.h"
#include "file_commands.h"
#include "mission_document.h"
#include "rogue_view.h"
#include "frame_window.h"
#include "mission_editor.h"
#include "scripted_dialogs.h"

namespace tolvane {

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  return file.write(bytes) == bytes.size();
}

// A frame over a fresh program folder, with scripted dialogs.
class EditorWorld {
 public:
  // typeNames: the contents of the program folder's ObjectNames.Txt.
  explicit EditorWorld(const QByteArray& typeNames = "Hurricane\r\nLorry\r\nBridge\r\n") {
    const QString folder = dir.path();
    QDir(folder).mkdir("missions");
    QByteArray ini = "[MISSION FOLDER]\r\n" + QFile::encodeName(folder + "/missions") +
                     "\r\n\r\n[FONT]\r\nMonospace\r\n10\r\n0\r\nRegular\r\n\r\n[COLOR]\r\n16777215\r\n";
    for (char slot = 'A'; slot <= 'P'; ++slot) ini += QByteArray("Color") + slot + "=FFFFFF\r\n";
    ini += "\r\n";
    WriteBytes(folder + "/Tolvane.INI", ini);
    WriteBytes(folder + "/ObjectNames.Txt", typeNames);
    WriteBytes(folder + "/Triggers.txt", "");
    TFrameForm::Options options;
    options.Dialogs = &dialogs;
    options.ProgramFolder = folder;
    frame = std::make_unique<TFrameForm>(options);
    frame->show();
    dialogs.clear();
  }

  ~EditorWorld() {
    // Nothing is left to ask about when the frame goes.
    for (QWidget* document : frame->Documents())
      if (auto* form = qobject_cast<TEditForm*>(document)) form->Editor->document()->setModified(false);
    frame.reset();
  }

  // A world whose type names are the shipped ones, so sample missions verify.
  static QByteArray ShippedTypeNames() { return ReadBytes(TOLVANE_SOURCE_DIR "/program/ObjectNames.Txt"); }
  static QByteArray Sample(const char* name) { return ReadBytes(QString(TOLVANE_SOURCE_DIR "/examples/") + name); }

  QString Missions() const { return dir.path() + "/missions"; }
  QString MissionPath(const QString& name) const { return Missions() + "/" + name; }

  // Writes a mission file and answers its path.
  QString Mission(const QString& name, const QByteArray& bytes) {
    const QString path = MissionPath(name);
    WriteBytes(path, bytes);
    return path;
  }

  // Opens path through the frame's Open command; the new window.
  TEditForm* Open(const QString& path) {
    dialogs.queueFile(path);
    frame->Open1Click();
    return Active();
  }

  TEditForm* New() { return qobject_cast<TEditForm*>(frame->New1Click()); }

  TEditForm* Active() const { return qobject_cast<TEditForm*>(frame->ActiveDocument()); }

  int WindowCount() const { return frame->Documents().size(); }

  // Closes the window with its close command and lets Qt free it.
  static void Close(TEditForm* form) {
    form->Close1Click();
    Settle();
  }

  static void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  static void Activate(TEditForm* form) {
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    if (sub) sub->mdiArea()->setActiveSubWindow(sub);
  }

  static QString Text(TEditForm* form) { return form->Editor->toPlainText(); }

  static void PutCaret(TEditForm* form, int line, int column) {
    QTextCursor cursor(form->Editor->document()->findBlockByNumber(line - 1));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column - 1);
    form->Editor->setTextCursor(cursor);
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TFrameForm> frame;
};

}  // namespace tolvane
