#include "file_commands.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include "app_state.h"
#include "document_host.h"
#include "mission_document.h"
#include "mission_editor.h"
#include "mission_text_io.h"

namespace tolvane {

FileCommands::FileCommands(const DocumentParts& parts) : QObject(parts.Window), parts_(parts) {
  SaveFileDialog.Filters = QStringList{"Mission Files (*.mis)", "Plain text files (*.txt)", "All files (*.*)"};
  SaveFileDialog.FilterCaptions = QStringList{"Mission Files", "Plain text files (*.txt)", "All files"};
  SaveFileDialog.FilterIndex = 1;
  SaveFileDialog.DefaultExtension = "*.mis";
}

FileCommands::~FileCommands() { delete printer_; }

bool FileCommands::ReadFile(const QString& path, QString& text) {
  QString error;
  return ReadMissionText(path, text, error);
}

void FileCommands::ShowFileName() { parts_.Window->setWindowTitle(FileNamePart(parts_.Document->FileName)); }

bool FileCommands::Save1Click() {
  // The rogue marks are only painted: the file gets the text as it is, and
  // the marking stays as it was.
  if (!parts_.Document->IsUntitled()) return WriteDocument();
  return Saveas1Click();
}

bool FileCommands::WriteDocument() {
  QString error;
  if (!WriteMissionText(parts_.Document->FileName, parts_.Document->PlainText(), error)) {
    parts_.Dialogs->Inform(parts_.Window, error);
    return false;
  }
  parts_.Document->SetModified(false);
  parts_.Document->NoteDiskFile();
  return true;
}

bool FileCommands::Saveas1Click() {
  MissionDocument& document = *parts_.Document;
  // 1.
  SaveFileDialog.Title = "Save As";
  SaveFileDialog.FileName = document.FileName;
  // A new text starts in the missions folder, a named one beside its file.
  SaveFileDialog.InitialFolder = document.IsUntitled() ? parts_.State->Settings.MissionFolder
                                                       : QFileInfo(document.FileName).absolutePath();
  const QString chosen = parts_.Dialogs->ChooseSaveFile(parts_.Window, SaveFileDialog);
  SaveFileDialogTypeChange(SaveFileDialog.FilterIndex);
  // 2. Cancel changes nothing.
  if (chosen.isEmpty()) return false;
  const QString previous = document.FileName;
  document.FileName = chosen;
  ShowFileName();
  if (Save1Click()) {
    if (parts_.Host) parts_.Host->RememberFile(document.FileName);
    return true;
  }
  // The text was not written there: the window keeps its former name.
  document.FileName = previous;
  ShowFileName();
  return false;
}

void FileCommands::SaveFileDialogTypeChange(int filterIndex) {
  // Any other entry changes nothing.
  const QString extension = DefaultExtensionOfEntry(filterIndex);
  if (!extension.isEmpty()) SaveFileDialog.DefaultExtension = extension;
}

bool FileCommands::FormCloseQuery() {
  if (!parts_.Document->IsModified()) return true;
  const Answer answer =
      parts_.Dialogs->AskYesNoCancel(parts_.Window, QString("Save changes to %1?").arg(parts_.Document->FileName));
  switch (answer) {
    case Answer::Yes:
      // A save that was cancelled or failed keeps the window and its text.
      return Save1Click();
    case Answer::No:
      return true;
    case Answer::Cancel:
    default:
      return false;
  }
}

void FileCommands::CheckDiskFile() {
  MissionDocument& document = *parts_.Document;
  if (!document.DiskFileChanged()) return;
  // Asked once for each change, whatever the answer.
  document.NoteDiskFile();
  if (!document.DiskFileExists()) {
    parts_.Dialogs->Inform(parts_.Window, QString("%1 is no longer on disk. The text in this window is kept; "
                                                  "Save writes it again.")
                                              .arg(document.FileName));
    return;
  }
  const QString question =
      document.IsModified()
          ? QString("%1 has been changed on disk. Reload it and lose the changes made in this window?")
          : QString("%1 has been changed on disk. Reload it?");
  if (parts_.Dialogs->AskYesNo(parts_.Window, question.arg(document.FileName)) == Answer::Yes) Reload();
}

bool FileCommands::Reload() {
  MissionDocument& document = *parts_.Document;
  QString text;
  QString error;
  if (!ReadMissionText(document.FileName, text, error)) {
    parts_.Dialogs->Inform(parts_.Window, error);
    return false;
  }
  MissionEditor* editor = parts_.Editor;
  const int line = editor->CaretLine();
  editor->ShowText(text);
  QTextBlock block = editor->document()->findBlockByNumber(line - 1);
  if (!block.isValid()) block = editor->document()->lastBlock();
  editor->setTextCursor(QTextCursor(block));
  editor->ensureCursorVisible();
  document.SetModified(false);
  document.NoteDiskFile();
  return true;
}

QPrinter& FileCommands::Printer() {
  if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
  return *printer_;
}

void FileCommands::Print1Click() {
  QPrinter& printer = Printer();
  if (!ShowPrintDialog(printer)) return;
  // The page shows the text as it is; the rogue marks are the window's.
  QTextDocument copy;
  copy.setDefaultFont(parts_.Editor->font());
  copy.setPlainText(parts_.Document->PlainText());
  printer.setDocName(parts_.Document->FileName);
  copy.print(&printer);
}

void FileCommands::Printersetup1Click() { ShowPrinterSetupDialog(Printer()); }

bool FileCommands::ShowPrintDialog(QPrinter& printer) {
  if (PrintDialogHook) return PrintDialogHook(printer);
  QPrintDialog dialog(&printer, parts_.Window);
  return dialog.exec() == QDialog::Accepted;
}

void FileCommands::ShowPrinterSetupDialog(QPrinter& printer) {
  if (PrinterSetupDialogHook) {
    PrinterSetupDialogHook(printer);
    return;
  }
  // The print dialog in a set-up role: the printer and its options are
  // chosen and kept for the next Print; nothing is printed.
  QPrintDialog dialog(&printer, parts_.Window);
  dialog.setWindowTitle("Printer setup");
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    for (QAbstractButton* button : buttons->buttons())
      if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) button->setText("OK");
  }
  dialog.exec();
}

}  // namespace tolvane
