#include "user_settings.h"

#include <QSettings>

namespace tolvane {

namespace {

const char* const RecentFilesKey = "RecentFiles/Files";
const char* const CheckAsYouTypeKey = "Editor/CheckAsYouType";

}  // namespace

UserSettings::UserSettings(const QString& programFolder) : path_(programFolder + "/TolvaneUser.ini") {}

QStringList UserSettings::RecentFiles() const {
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
  QSettings file(path_, QSettings::IniFormat);
  file.setValue(RecentFilesKey, files);
  file.sync();
}

bool UserSettings::CheckAsYouType() const {
  QSettings file(path_, QSettings::IniFormat);
  return file.value(CheckAsYouTypeKey, true).toBool();
}

void UserSettings::SetCheckAsYouType(bool on) {
  QSettings file(path_, QSettings::IniFormat);
  file.setValue(CheckAsYouTypeKey, on);
  file.sync();
}

}  // namespace tolvane
