#pragma once
// The program's own settings, in TolvaneUser.ini beside Tolvane.INI in the
// program folder: the recently used files and whether checking as you type
// is on. Tolvane.INI keeps its fixed layout and is never written here.
//
// Every read goes to the file and every change is written through, so two
// frames over one program folder (or a restart) see the same list. A change
// of the recent files is written in the background (the disk can be slow);
// every read waits for the changes before it.

#include <QString>
#include <QStringList>

namespace tolvane {

class UserSettings {
 public:
  static constexpr int RecentFileCount = 8;

  explicit UserSettings(const QString& programFolder);

  QString Path() const { return path_; }

  // Newest first, at most RecentFileCount.
  QStringList RecentFiles() const;
  // Puts path at the top (once), drops the oldest beyond the count.
  QStringList AddRecentFile(const QString& path);
  QStringList RemoveRecentFile(const QString& path);

  // Waits until every change made so far is in the file.
  static void FinishWrites();

  // On unless turned off.
  bool CheckAsYouType() const;
  void SetCheckAsYouType(bool on);

 private:
  void WriteRecentFiles(const QStringList& files);

  QString path_;
};

}  // namespace tolvane
