#include "user_settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QThreadPool>

namespace tolvane {

namespace {

const char* const RecentFilesKey = "RecentFiles/Files";
const char* const CheckAsYouTypeKey = "Editor/CheckAsYouType";

// The recent files are written on a thread of their own, one change after
// another: opening a file never waits for the disk. A read, and any other
// write, first waits for the changes before it.
QThreadPool& Writer() {
  static QThreadPool* const pool = [] {
    auto* writer = new QThreadPool;
    writer->setMaxThreadCount(1);
    // Nothing is left unwritten when the program ends.
    if (QCoreApplication::instance()) qAddPostRoutine(UserSettings::FinishWrites);
    return writer;
  }();
  return *pool;
}

}  // namespace

void UserSettings::FinishWrites() { Writer().waitForDone(); }

UserSettings::UserSettings(const QString& programFolder) : path_(programFolder + "/TolvaneUser.ini") {}

QStringList UserSettings::RecentFiles() const {
  FinishWrites();
  QSettings file(path_, QSettings::IniFormat);
  QStringList files = file.value(RecentFilesKey).toStringList();
  files.removeAll(QString());
  files.removeDuplicates();
  return files.mid(0, RecentFileCount);
}

QStringList UserSettings::AddRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  files = files.mid(0, RecentFileCount);
  WriteRecentFiles(files);
  return files;
}

QStringList UserSettings::RemoveRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  WriteRecentFiles(files);
  return files;
}

void UserSettings::WriteRecentFiles(const QStringList& files) {
  Writer().start([path = path_, files] {
    QSettings file(path, QSettings::IniFormat);
    file.setValue(RecentFilesKey, files);
    file.sync();
  });
}

bool UserSettings::CheckAsYouType() const {
  FinishWrites();
  QSettings file(path_, QSettings::IniFormat);
  return file.value(CheckAsYouTypeKey, true).toBool();
}

void UserSettings::SetCheckAsYouType(bool on) {
  FinishWrites();
  QSettings file(path_, QSettings::IniFormat);
  file.setValue(CheckAsYouTypeKey, on);
  file.sync();
}

}  // namespace tolvane
