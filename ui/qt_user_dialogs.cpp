#include "qt_user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QTreeView>
#include <QRegularExpression>

#include <algorithm>

namespace tolvane {

namespace {

QString Caption() {
  QString name = QApplication::applicationName();
  return name.isEmpty() ? QString("Tolvane") : name;
}

// A message box stands over the window it belongs to. A window not on the
// screen yet (the frame during its start-up) has no place to stand over, so
// the box then stands on its own, centred on the screen.
QWidget* OwnerOnScreen(QWidget* parent) {
  QWidget* window = parent ? parent->window() : nullptr;
  return window && window->isVisible() ? parent : nullptr;
}

Answer Ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton escape) {
  QMessageBox box(QMessageBox::Question, Caption(), text, buttons, OwnerOnScreen(parent));
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

// The patterns of a filter: the text inside its closing parentheses, or the
// whole filter when it has none.
QString PatternsOfFilter(const QString& filter) {
  if (!filter.endsWith(QLatin1Char(')'))) return filter;
  const int open = filter.lastIndexOf(QLatin1Char('('));
  if (open < 0) return filter;
  return filter.mid(open + 1, filter.size() - open - 2);
}

// The filters as the dialog gets them. With captions, each caption is
// followed by its filter's patterns, which the dialog keeps out of sight.
QStringList DialogFilters(const FileDialogRequest& request) {
  if (request.FilterCaptions.isEmpty() || request.FilterCaptions.size() != request.Filters.size())
    return request.Filters;
  QStringList filters;
  for (int i = 0; i < request.Filters.size(); ++i)
    filters << request.FilterCaptions.at(i) + " (" + PatternsOfFilter(request.Filters.at(i)) + ")";
  return filters;
}

// The file dialogs name mission files by their kind, not by a type guessed
// from their contents.
class MissionFileTypes : public QFileIconProvider {
 public:
  QString type(const QFileInfo& info) const override {
    if (info.isFile() && info.suffix().compare("mis", Qt::CaseInsensitive) == 0) return QStringLiteral("Mission file");
    return QFileIconProvider::type(info);
  }
};

QString Choose(QWidget* parent, FileDialogRequest& request, bool save) {
  MissionFileTypes types;
  QFileDialog dialog(parent, request.Title);
  // A folder that does not exist leaves the dialog in the working directory.
  if (!request.InitialFolder.isEmpty() && QFileInfo(request.InitialFolder).isDir())
    dialog.setDirectory(request.InitialFolder);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setIconProvider(&types);
  // Size and type in full beside the names.
  if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
    details->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    details->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  }
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = DialogFilters(request);
  if (filters != request.Filters) dialog.setOption(QFileDialog::HideNameFilterDetails);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    int index = request.FilterIndex;
    if (index < 1 || index > filters.size()) index = 1;
    dialog.selectNameFilter(filters.at(index - 1));
  }
  QString extension = request.DefaultExtension;
  dialog.setDefaultSuffix(SuffixOfExtension(extension));
  if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);

  // The dialog names a type by the text it shows.
  auto indexOfType = [&](const QString& shown) {
    int index = filters.indexOf(shown);
    return index >= 0 ? index : request.FilterCaptions.indexOf(shown);
  };

  // Picking another file type changes the default extension with it.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    const int index = indexOfType(filter);
    extension = ExtensionOfFilter(index >= 0 ? filters.at(index) : filter, extension);
    dialog.setDefaultSuffix(SuffixOfExtension(extension));
  });

  if (dialog.exec() != QDialog::Accepted) return QString();
  QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return QString();
  int chosen = indexOfType(dialog.selectedNameFilter());
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
  QMessageBox box(QMessageBox::Information, Caption(), text, QMessageBox::Ok, OwnerOnScreen(parent));
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

int QtUserDialogs::AskLineNumber(QWidget* parent, int current, int last) {
  bool ok = false;
  const int line = QInputDialog::getInt(parent, "Go to Line", QString("Line number (1 to %1):").arg(last), current,
                                        1, std::max(1, last), 1, &ok);
  return ok ? line : 0;
}

}  // namespace tolvane
