#pragma once
// The main window: a multi-document frame holding the mission document
// windows, with the top-level menus, the status bar, the open dialog and the
// sixteen tool windows. It owns the program's shared state and its dialogs
// and hands both to every window it creates. Closing it ends the program.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "app_state.h"
#include "document_host.h"
#include "menu_merging.h"
#include "tool_windows.h"
#include "user_dialogs.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace tolvane {

class TFrameForm;

// How the frame makes document windows. Create makes a new, empty one (the
// frame puts it into its work area); Open loads a file into a window Create
// made and answers false, or throws, when that failed.
struct DocumentFactory {
  std::function<QWidget*(TFrameForm& frame)> Create;
  std::function<bool(QWidget* document, const QString& path)> Open;
  // The captions a document brings to the menu bar; the frame opens wide
  // enough to show them beside its own.
  QStringList MenuBarCaptions;
};

struct FrameOptions {
  UserDialogs* Dialogs = nullptr;  // not owned; none: the real Qt dialogs
  QString ProgramFolder;           // empty: the working directory
  DocumentFactory Documents;       // empty: the mission document window
};

class TFrameForm : public QMainWindow, public DocumentHost {
  Q_OBJECT

 public:
  using DocumentFactory = tolvane::DocumentFactory;
  using Options = FrameOptions;

  // Runs the start-up sequence (FormCreate) and then creates the tool
  // windows, hidden. Messages of the start-up go through the dialogs.
  TFrameForm() : TFrameForm(Options()) {}
  explicit TFrameForm(Options options);
  ~TFrameForm() override;

  AppState& State() { return state_; }
  UserDialogs& Dialogs() { return *dialogs_; }
  QMdiArea* MdiArea() const { return mdiArea_; }
  ToolWindows& Forms() { return forms_; }

  // The open dialog's settings: title, filters, filter index, default
  // extension, initial folder and file name, kept between uses.
  FileDialogRequest& OpenFileDialog() { return openFileDialog_; }
  // Back to its start: initial folder MissionFolder, default extension
  // "*.mis", filter entry 1, no file name.
  void ResetOpenDialog() override;

  void SetDocumentFactory(DocumentFactory factory);
  // Puts a document window into the work area (once; a window already there
  // is left as it is), shows and activates it.
  QMdiSubWindow* AddDocumentWindow(QWidget* document);
  // The document windows, as their own widgets (inside their sub-windows).
  QList<QWidget*> Documents() const;
  QWidget* ActiveDocument() const;

  // The status bar: panel 0 (at least 100 pixels, as wide as its text
  // needs) and panel 1 (50 pixels and the rest); a passing notice.
  void SetStatusText(int panel, const QString& text) override;
  QString StatusText(int panel) const;
  void ShowStatusMessage(const QString& text) override;

  // The size a new document window takes when the work area has room, and
  // the least that Cascade leaves a window.
  QSize DocumentWindowSize() const;
  QSize ReadableDocumentSize() const;

  // Opens the file in a new document window as Open does after its dialog:
  // "PathName bad" when it cannot. A file opened goes to the top of the
  // recent files. Used by the recent files and for the files named on the
  // command line.
  bool OpenFile(const QString& path);
  // The recently used files, newest first, as the File menus list them.
  QStringList RecentFiles() const;
  // The text of the status bar's panel for checking as you type.
  QString CheckStatusText() const;

  // What a document window asks of the frame.
  DocumentWindow* NewDocument() override;
  void OpenDocumentFromDialog() override { Open1Click(); }
  void ExitProgram() override { Exit1Click(); }
  bool IsActiveDocument(const DocumentWindow* document) const override;
  // Makes "&Bridges" visible; it stays so for the rest of the run.
  void ShowBridgesCommand() override;
  QWidget* ToolForm(int number) const override;
  void ShowToolForm(int number) override;
  void CloseMissionWindows() override;
  void SetCheckStatus(const QString& text) override;
  QMenu* RecentFilesMenu() const override { return RecentFiles1; }
  void RememberFile(const QString& path) override;

  // Rebuilds the menu bar from the frame's menus and the active document's.
  void RebuildMenuBar();

  // Handlers.
  QWidget* New1Click();  // the new document window
  void Open1Click();
  void OpenFileDialogTypeChange(int filterIndex);
  void Tile1Click();
  void Cascade1Click();
  void Arrangeicons1Click();
  void Checks1Click();
  void Actions1Click();
  void Triggers1Click();
  void Distances1Click();
  void Readme1Click();
  void About1Click();
  void Bridges1Click();
  void Exit1Click();

  // Menu items.
  QMenu* File1 = nullptr;
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* Exit1 = nullptr;
  // After the standard items of the File menu; the document windows' File
  // menus show the same submenu.
  QMenu* RecentFiles1 = nullptr;
  QMenu* Window1 = nullptr;
  QAction* Tile1 = nullptr;
  QAction* Cascade1 = nullptr;
  QAction* Arrangeicons1 = nullptr;
  QAction* Checks1 = nullptr;
  QAction* Actions1 = nullptr;
  QAction* Triggers1 = nullptr;
  QAction* Distances1 = nullptr;
  QAction* Bridges1 = nullptr;
  QAction* Readme1 = nullptr;
  QAction* About1 = nullptr;
  // Keys of the work area: Ctrl+F4 closes the active document window,
  // Ctrl+F6 and Ctrl+Shift+F6 move to the next and the previous one.
  QAction* CloseDocumentKey = nullptr;
  QAction* NextDocumentKey = nullptr;
  QAction* PreviousDocumentKey = nullptr;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate(const QString& programFolder);
  void LoadTypeNames();
  void CreateMenus();
  void CreateStatusBar();
  void FillWindowMenu();
  void FillRecentFilesMenu();
  void ShowRecentFiles(const QStringList& files);
  QList<MergeMenuItem> FrameMenuItems() const;
  void SubWindowActivated(QMdiSubWindow* sub);
  void ActivateCurrentDocument();
  void DocumentWindowGone(QObject* sub);
  int CascadeStep() const;
  // How many windows fit one step apart before the next would have less
  // than a readable size left in the area.
  int CascadePlaces(const QSize& area) const;
  qreal FontScale() const;
  QSize InitialSize() const;
  QSize WorkAreaSize() const;
  void FitCaretPanel();

  std::unique_ptr<UserDialogs> ownDialogs_;
  UserDialogs* dialogs_ = nullptr;
  AppState state_;
  DocumentFactory documents_;
  FileDialogRequest openFileDialog_;
  ToolWindows forms_;
  QMdiArea* mdiArea_ = nullptr;
  QLabel* statusPanels_[2] = {nullptr, nullptr};
  QLabel* checkPanel_ = nullptr;
  QList<QAction*> windowListActions_;
  // The document whose activation has run and which has stayed the active
  // one since; none while the frame is not the active window.
  QPointer<QWidget> activated_;
};

// The mission document window as the frame makes it, before anyone has
// chosen another factory.
DocumentFactory MissionDocumentFactory();

}  // namespace tolvane
