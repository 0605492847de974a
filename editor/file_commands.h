#pragma once
// The document window's file commands: reading a file in, Save, Save as, the
// save dialog's type change, the close query, Print and Printer setup.

#include <QObject>
#include <QString>

#include <functional>

#include "document_parts.h"
#include "user_dialogs.h"

class QPrinter;

namespace tolvane {

class FileCommands : public QObject {
  Q_OBJECT

 public:
  explicit FileCommands(const DocumentParts& parts);
  ~FileCommands() override;

  // Reads the file at path into text ("\n" line ends). False when it cannot
  // be read; nothing is shown (the frame reports a failed open).
  static bool ReadFile(const QString& path, QString& text);

  // Saves the document. True when the text was written; false when the user
  // cancelled the save dialog or the write failed (reported with the
  // system's own text).
  bool Save1Click();
  bool Saveas1Click();
  void SaveFileDialogTypeChange(int filterIndex);
  // Offers to save changes. False when the window must stay open: Cancel, or
  // a save that was cancelled or failed.
  bool FormCloseQuery();
  void Print1Click();
  void Printersetup1Click();

  // The file has changed on disk since the text was read or saved: says so
  // and offers to read it again. The text stays as it is unless the user
  // chooses to reload; either way the question is not asked again until
  // the file changes once more. A file that has gone is reported once.
  void CheckDiskFile();
  // Reads the file again into the window: the caret stays on its line, the
  // text is unmodified. False (reported) when it cannot be read.
  bool Reload();

  // The save dialog's settings, kept between uses.
  FileDialogRequest SaveFileDialog;

  // The printer the Print and Printer setup commands use: what Printer
  // setup chooses is what the next Print starts from.
  QPrinter& Printer();
  // The print and printer set-up dialogs; tests put their own answers here.
  // Print goes ahead when the print dialog answers true.
  std::function<bool(QPrinter&)> PrintDialogHook;
  std::function<void(QPrinter&)> PrinterSetupDialogHook;

 private:
  bool WriteDocument();
  bool ShowPrintDialog(QPrinter& printer);
  void ShowPrinterSetupDialog(QPrinter& printer);
  void ShowFileName();

  DocumentParts parts_;
  QPrinter* printer_ = nullptr;
};

}  // namespace tolvane
