#include "qt_user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace tolvane {

namespace {

QString Caption() {
  QString name = QApplication::applicationName();
  return name.isEmpty() ? QString("Tolvane") : name;
}

Answer Ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton escape) {
  QMessageBox box(QMessageBox::Question, Caption(), text, buttons, parent);
  box.setEscapeButton(escape);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

QString Choose(QWidget* parent, FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent, request.Title);
  // A folder that does not exist leaves the dialog in the working directory.
  if (!request.InitialFolder.isEmpty() && QFileInfo(request.InitialFolder).isDir())
    dialog.setDirectory(request.InitialFolder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.Filters.isEmpty()) {
    dialog.setNameFilters(request.Filters);
    int index = request.FilterIndex;
    if (index < 1 || index > request.Filters.size()) index = 1;
    dialog.selectNameFilter(request.Filters.at(index - 1));
  }
  QString extension = request.DefaultExtension;
  dialog.setDefaultSuffix(SuffixOfExtension(extension));
  if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);

  // Picking another file type changes the default extension with it.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    extension = ExtensionOfFilter(filter, extension);
    dialog.setDefaultSuffix(SuffixOfExtension(extension));
  });

  if (dialog.exec() != QDialog::Accepted) return QString();
  QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return QString();
  int chosen = request.Filters.indexOf(dialog.selectedNameFilter());
  if (chosen >= 0) request.FilterIndex = chosen + 1;
  request.DefaultExtension = extension;
  request.FileName = files.first();
  return files.first();
}

}  // namespace

QString ExtensionOfFilter(const QString& filter, const QString& current) {
  static const QRegularExpression pattern(R"(\((\*\.[^ ;)]+)\))");
  QRegularExpressionMatch match = pattern.match(filter);
  return match.hasMatch() ? match.captured(1) : current;
}

QString SuffixOfExtension(const QString& extension) {
  if (!extension.startsWith("*.")) return QString();
  QString suffix = extension.mid(2);
  return suffix == "*" ? QString() : suffix;
}

void QtUserDialogs::Inform(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, Caption(), text, QMessageBox::Ok, parent);
  box.exec();
}

Answer QtUserDialogs::AskYesNoCancel(QWidget* parent, const QString& text) {
  return Ask(parent, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}

Answer QtUserDialogs::AskYesCancel(QWidget* parent, const QString& text) {
  return Ask(parent, text, QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
}

Answer QtUserDialogs::AskYesNo(QWidget* parent, const QString& text) {
  return Ask(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}

QString QtUserDialogs::ChooseOpenFile(QWidget* parent, FileDialogRequest& request) {
  return Choose(parent, request, false);
}

QString QtUserDialogs::ChooseSaveFile(QWidget* parent, FileDialogRequest& request) {
  return Choose(parent, request, true);
}

}  // namespace tolvane
