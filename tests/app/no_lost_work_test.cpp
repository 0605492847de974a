// No lost work: saves that fail leave the old file whole and the text in the
// window with the system's reason shown; hostile paths on open; the work file
// of the Verify command; settings files that are cut short or malformed.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "display_settings.h"
#include "editor_test_support.h"
#include "mission_text_io.h"
#include "user_settings.h"

using namespace tolvane;

namespace {

const QByteArray kOld = "[Main]\r\n  .Name Old text\r\n.EndMission\r\n";

QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Runs work with file permissions checked as an ordinary user, also when the
// tests run as root (root writes anything). Only the effective user changes,
// the way the other file tests do it. The change holds for every thread, so
// the recent-files writer is let finish first: a write that began as root and
// ended as the ordinary user would leave its lock file behind, and the next
// write would wait for that lock to go stale.
template <typename Work>
void AsOrdinaryUser(Work work) {
  const bool root = geteuid() == 0;
  UserSettings::FinishWrites();
  if (root && seteuid(65534) != 0) qFatal("cannot drop to an ordinary user");
  work();
  UserSettings::FinishWrites();
  if (root && seteuid(0) != 0) qFatal("cannot return to root");
}

// Lets an ordinary user reach and write a folder of a temporary tree.
void OpenToEveryone(const QTemporaryDir& dir, const QString& folder) {
  QCOMPARE(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
  QCOMPARE(chmod(QFile::encodeName(folder).constData(), 0777), 0);
}

// While it lives, no file of this process may grow past `bytes`, and going
// past the limit is a failed write, not a signal.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &oldAction_);
    getrlimit(RLIMIT_FSIZE, &oldLimit_);
    struct rlimit limit = oldLimit_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &oldLimit_);
    sigaction(SIGXFSZ, &oldAction_, nullptr);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit oldLimit_ {};
  struct sigaction oldAction_ {};
};

// A small tmpfs mounted on a temporary folder, when this machine allows it.
class SmallDisk {
 public:
  explicit SmallDisk(const char* size) {
    const QByteArray options = QByteArray("size=") + size;
    mounted_ = dir_.isValid() && ::mount("tolvane-test", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                                         MS_NOSUID | MS_NODEV, options.constData()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  bool mounted_ = false;
};

// The names in a folder: no half-written new file may stay behind.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

QByteArray Repeated(const QByteArray& line, int times) {
  QByteArray out;
  for (int i = 0; i < times; ++i) out += line;
  return out;
}

// Puts text in the window as if the user had typed it.
void Type(TEditForm* form, const QString& text) {
  form->Editor->setPlainText(text);
  form->Editor->document()->setModified(true);
}

// The window still holds the user's text, not saved.
void ExpectTextKept(TEditForm* form, const QString& text) {
  QCOMPARE(EditorWorld::Text(form), text);
  QVERIFY(form->Editor->document()->isModified());
}

// Saves the text of `line` repeated each number of times while the guard
// made by `limit` lives: every save fails with the system's text of `error`,
// the old file stays whole with nothing beside it, and the window keeps the
// text, modified.
template <typename Limit>
void ExpectFailedSaves(EditorWorld& world, TEditForm* form, const QString& folder, const QByteArray& line,
                       std::initializer_list<int> counts, int error, Limit limit) {
  const QString path = form->Document->FileName;
  const QByteArray old = ReadBytes(path);
  const QStringList entries = Entries(folder);
  for (int lines : counts) {
    world.dialogs.clear();
    const QString text = QString::fromLatin1(Repeated(line, lines));
    Type(form, text);
    bool saved = true;
    {
      [[maybe_unused]] auto guard = limit();
      saved = form->Files().Save1Click();
    }
    QVERIFY(!saved);
    QCOMPARE(world.dialogs.informed().size(), 1);
    const QString message = world.dialogs.informed().first();
    QVERIFY2(message.startsWith("Cannot write \"" + path + "\": "), qPrintable(message));
    QVERIFY2(message.contains(SystemText(error)), qPrintable(message));
    QCOMPARE(ReadBytes(path), old);
    QCOMPARE(Entries(folder), entries);
    ExpectTextKept(form, text);
  }
}

// A program folder of our own with the given settings file (none when
// empty), a type-name list, and a frame started over it.
class ProgramWorld {
 public:
  explicit ProgramWorld(const QByteArray& ini) {
    WriteBytes(dir.filePath("Tolvane.INI"), ini);
    WriteBytes(dir.filePath("ObjectNames.Txt"), "Gannet\r\nLorry\r\n");
    WriteBytes(dir.filePath("Triggers.txt"), "");
    WriteBytes(dir.filePath("raid.mis"), kOld);
    TFrameForm::Options options;
    options.Dialogs = &dialogs;
    options.ProgramFolder = dir.path();
    frame = std::make_unique<TFrameForm>(options);
  }

  TEditForm* OpenRaid() {
    dialogs.queueFile(dir.filePath("raid.mis"));
    frame->Open1Click();
    return qobject_cast<TEditForm*>(frame->ActiveDocument());
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<TFrameForm> frame;
};

QByteArray FullIni() {
  QByteArray ini =
      "[MISSION FOLDER]\r\n/srv/missions\r\n\r\n[FONT]\r\nMonospace\r\n11\r\n255\r\nBold\r\n\r\n[COLOR]\r\n"
      "8421504\r\n";
  for (char slot = 'A'; slot <= 'P'; ++slot) ini += QByteArray("Color") + slot + "=00FF00\r\n";
  ini += "\r\n";
  return ini;
}

}  // namespace

class NoLostWorkTest : public QObject {
  Q_OBJECT

 private slots:
  void readOnlyFileIsNotReplaced() {
    EditorWorld world;
    OpenToEveryone(world.dir, world.Missions());
    const QString path = world.Mission("locked.mis", kOld);
    TEditForm* form = world.Open(path);
    QVERIFY(form);
    Type(form, "new work\n");
    const uint owner = QFileInfo(path).ownerId();
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    bool saved = true;
    // The folder is writable, so a rename could put a new file in place of
    // the locked one; the save must refuse instead.
    AsOrdinaryUser([&] { saved = form->Files().Save1Click(); });
    QVERIFY(!saved);
    QCOMPARE(world.dialogs.informed(),
             QStringList{"Cannot write \"" + path + "\": " + SystemText(EACCES)});
    QCOMPARE(ReadBytes(path), kOld);
    QVERIFY(!(QFileInfo(path).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)));
    QCOMPARE(QFileInfo(path).ownerId(), owner);
    QCOMPARE(Entries(world.Missions()), QStringList{"locked.mis"});
    ExpectTextKept(form, "new work\n");

    // Closing with "Yes" meets the same refusal: the window stays.
    world.dialogs.clear();
    world.dialogs.queueAnswer(Answer::Yes);
    AsOrdinaryUser([&] { EditorWorld::Close(form); });
    QCOMPARE(world.WindowCount(), 1);
    QCOMPARE(world.dialogs.informed().size(), 1);
    ExpectTextKept(form, "new work\n");

    // The owner gives write permission back: the same save goes through and
    // the file keeps its permissions.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    AsOrdinaryUser([&] { saved = form->Files().Save1Click(); });
    QVERIFY(saved);
    QCOMPARE(ReadBytes(path), QByteArray("new work\r\n"));
    QVERIFY(QFileInfo(path).permissions() & QFile::WriteOther);
  }

  void saveKeepsPermissionsAndLinks() {
    EditorWorld world;
    // A private file stays private.
    const QString secret = world.Mission("secret.mis", kOld);
    QVERIFY(QFile::setPermissions(secret, QFile::ReadOwner | QFile::WriteOwner));
    TEditForm* form = world.Open(secret);
    Type(form, "private\n");
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(secret), QByteArray("private\r\n"));
    QCOMPARE(QFileInfo(secret).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
             QFile::ReadOwner | QFile::WriteOwner);

    // A file opened through a link is saved in the file it names; the link stays.
    const QString target = world.Mission("target.mis", kOld);
    const QString link = world.MissionPath("link.mis");
    QVERIFY(QFile::link(target, link));
    TEditForm* linked = world.Open(link);
    Type(linked, "through the link\n");
    QVERIFY(linked->Files().Save1Click());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadBytes(target), QByteArray("through the link\r\n"));

    // A link to a read-only file is refused like the file itself.
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadOther));
    OpenToEveryone(world.dir, world.Missions());
    Type(linked, "refused\n");
    bool saved = true;
    AsOrdinaryUser([&] { saved = linked->Files().Save1Click(); });
    QVERIFY(!saved);
    QCOMPARE(ReadBytes(target), QByteArray("through the link\r\n"));
    QVERIFY(QFileInfo(link).isSymLink());
  }

  void pathsThatCannotBeReadOpenAPlainWindow() {
    // Unreadable, a folder, a pipe (whose read would wait for ever), and a
    // file deleted after it was chosen: "PathName bad", a plain empty window
    // with no number, document 1 untouched, and the path left as it was.
    EditorWorld world;
    OpenToEveryone(world.dir, world.Missions());
    TEditForm* first = world.Open(world.Mission("first.mis", kOld));
    QVERIFY(QFile::setPermissions(world.Mission("closed.mis", kOld), QFile::WriteOwner));
    QVERIFY(QDir(world.Missions()).mkdir("folder.mis"));
    QCOMPARE(mkfifo(QFile::encodeName(world.MissionPath("pipe.mis")).constData(), 0644), 0);
    QVERIFY(QFile::remove(world.Mission("gone.mis", kOld)));
    int windows = 1;
    for (const char* name : {"closed.mis", "folder.mis", "pipe.mis", "gone.mis"}) {
      world.dialogs.clear();
      TEditForm* made = nullptr;
      if (QByteArray(name) == "closed.mis") AsOrdinaryUser([&] { made = world.Open(world.MissionPath(name)); });
      else made = world.Open(world.MissionPath(name));
      QVERIFY2(made && made != first, name);
      QCOMPARE(world.dialogs.informed(), QStringList{"PathName bad"});
      QCOMPARE(world.WindowCount(), ++windows);
      QCOMPARE(made->Document->FileName, QString("Untitled"));
      QCOMPARE(made->windowTitle(), QString("Untitled"));
      QCOMPARE(made->Document->DocumentNumber, 0);
      QVERIFY(EditorWorld::Text(made).isEmpty());
      QVERIFY(!made->Checker1->isVisible());
      QVERIFY(!made->Editor->document()->isModified());
      QCOMPARE(first->Document->DocumentNumber, 1);
      QCOMPARE(world.frame->State().DocumentCount, 1);
    }
    QCOMPARE(ReadBytes(world.MissionPath("closed.mis")), kOld);
    QVERIFY(!QFile::exists(world.MissionPath("gone.mis")));
    QString text, error;
    QVERIFY(!ReadMissionText("/dev/zero", text, error));
    QVERIFY(error.contains("/dev/zero"));
    QVERIFY(text.isEmpty());

    // The plain window works like a new one: its save asks for a name.
    TEditForm* made = world.Active();
    made->Editor->setPlainText("typed after the failure");
    const QString named = world.MissionPath("named.mis");
    world.dialogs.queueFile(named);
    QVERIFY(made->Files().Save1Click());
    QCOMPARE(ReadBytes(named), QByteArray("typed after the failure"));
    QCOMPARE(made->windowTitle(), QString("named.mis"));
  }

  void folderInPlaceOfTheFile() {
    EditorWorld world;
    TEditForm* first = world.Open(world.Mission("first.mis", kOld));
    QVERIFY(QDir(world.Missions()).mkdir("folder.mis"));

    // Save: the file was replaced by a folder after it was opened.
    const QString path = first->Document->FileName;
    Type(first, "still here\n");
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(!first->Files().Save1Click());
    QCOMPARE(world.dialogs.informed(), QStringList{"Cannot write \"" + path + "\": " + SystemText(EISDIR)});
    QVERIFY(QFileInfo(path).isDir());
    ExpectTextKept(first, "still here\n");

    // Save as onto a folder: refused, the former name stays.
    world.dialogs.clear();
    world.dialogs.queueFile(world.MissionPath("folder.mis"));
    QVERIFY(!first->Files().Saveas1Click());
    QCOMPARE(first->Document->FileName, path);
    QCOMPARE(world.dialogs.informed().size(), 1);
    QVERIFY(world.dialogs.informed().first().endsWith(SystemText(EISDIR)));
    ExpectTextKept(first, "still here\n");

    // Save as into a folder that does not exist: refused the same way.
    world.dialogs.clear();
    world.dialogs.queueFile(world.dir.path() + "/no such folder/copy.mis");
    QVERIFY(!first->Files().Saveas1Click());
    QCOMPARE(first->Document->FileName, path);
    QCOMPARE(first->windowTitle(), QString("first.mis"));
    QCOMPARE(world.dialogs.informed().size(), 1);
  }

  void pipesInPlaceOfTheProgramsFilesDoNotStopTheStart() {
    QTemporaryDir dir;
    for (const char* name : {"Tolvane.INI", "ObjectNames.Txt", "Triggers.txt"})
      QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(name)).constData(), 0644), 0);
    ScriptedDialogs dialogs;
    TFrameForm::Options options;
    options.Dialogs = &dialogs;
    options.ProgramFolder = dir.path();
    TFrameForm frame(options);
    const QStringList shown = dialogs.informed();
    // The settings, the two type-name messages, then the Triggers and
    // Objects windows' own reports, in the order the windows are made.
    QCOMPARE(shown.size(), 5);
    QCOMPARE(shown[0], "Cannot open " + dir.filePath("Tolvane.INI") + ": not an ordinary file");
    QVERIFY(shown[3].contains("Triggers.txt"));
    QVERIFY(shown[4].contains("ObjectNames.Txt") && shown[4].contains("not an ordinary file"));
    QCOMPARE(shown[1], QString("TypeNames.TXT NOT found in Tolvane Program Folder."));
    QVERIFY(!frame.State().Settings.Loaded);
    QVERIFY(!frame.State().TypeNames.TypeNamesLoaded);
    // A document still opens and saves.
    const QString path = dir.filePath("raid.mis");
    QVERIFY(WriteBytes(path, kOld));
    dialogs.clear();
    dialogs.queueFile(path);
    frame.Open1Click();
    auto* form = qobject_cast<TEditForm*>(frame.ActiveDocument());
    QVERIFY(form && form->Document->FileName == path);
    QVERIFY(dialogs.informed().isEmpty());
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(path), kOld);
  }

  void vanishedFileIsWrittenAgain() {
    EditorWorld world;
    const QString path = world.Mission("gone.mis", kOld);
    TEditForm* form = world.Open(path);
    QVERIFY(QFile::remove(path));
    form->Editor->moveCursor(QTextCursor::End);
    form->Editor->insertPlainText("; saved again");
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(path), kOld + "; saved again");
    QVERIFY(world.dialogs.informed().isEmpty());
    QCOMPARE(Entries(world.Missions()), QStringList{"gone.mis"});
  }

  void fileSizeLimitFailsTheSaveAndKeepsTheOldFile() {
    EditorWorld world;
    const QString path = world.Mission("limit.mis", kOld);
    TEditForm* form = world.Open(path);
    // Small texts pass through a write buffer, large ones do not: both fail.
    ExpectFailedSaves(world, form, world.Missions(), "  .Name Long patrol line\n", {100, 2000}, EFBIG,
                      [] { return std::make_unique<FileSizeLimit>(1000); });
    // Without the limit the same text is saved whole.
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(path).size(), 2000 * 26);
  }

  void fullDiskFailsTheSaveAndKeepsTheOldFile() {
    SmallDisk disk("16k");
    if (!disk.Mounted()) QSKIP("a small tmpfs cannot be mounted here");
    EditorWorld world;
    const QString path = disk.Path() + "/full.mis";
    QVERIFY(WriteBytes(path, kOld));
    TEditForm* form = world.Open(path);
    QVERIFY(form && form->Document->FileName == path);
    // About 14 kB fits a write buffer but not the disk; 62 kB fits neither.
    ExpectFailedSaves(world, form, disk.Path(), ".Name Line that fills the disk\n", {450, 2000}, ENOSPC,
                      [] { return 0; });
    // A text that fits is saved.
    form->Editor->setPlainText("short\n");
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(path), QByteArray("short\r\n"));
  }

  void settingsSaveOnAFullDiskKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString ini = dir.filePath("Tolvane.INI");
    QVERIFY(WriteBytes(ini, FullIni()));
    AppState state;
    state.ProgramFolder = dir.path();
    QCOMPARE(LoadINIFile(state), QString());
    ScriptedDialogs dialogs;
    QPlainTextEdit editor;
    DisplaySettingsCommands commands(&editor, &editor, state, dialogs);
    bool saved = true;
    {
      FileSizeLimit limit(100);
      saved = commands.SaveSettings();
    }
    QVERIFY(!saved);
    QCOMPARE(dialogs.informed().size(), 1);
    QVERIFY(dialogs.informed().first().contains(ini));
    QVERIFY(dialogs.informed().first().contains(SystemText(EFBIG)));
    QCOMPARE(ReadBytes(ini), FullIni());
    QCOMPARE(Entries(dir.path()), QStringList{"Tolvane.INI"});
  }

  void markedTextSavesBlanksAndTabsAlsoWhenTheSaveFails() {
    EditorWorld world;
    const QString path = world.Mission("marks.mis", "\t.Name A@B #1\r\n");
    TEditForm* form = world.Open(path);
    form->Rogue().TurnOnRogueCheckCommand();
    QCOMPARE(EditorWorld::Text(form), QString("\t.Name A@B #1\n"));
    form->Editor->moveCursor(QTextCursor::End);
    form->Editor->insertPlainText(".EndMission");  // typed after the marking
    const QString shown = EditorWorld::Text(form);

    // A failed save changes neither the file nor the text nor the marking.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(!form->Files().Save1Click());
    QCOMPARE(EditorWorld::Text(form), shown);
    QVERIFY(form->Document->RogueMarking);
    QVERIFY(form->TurnOffRogueCheck1->isEnabled());
    QVERIFY(form->Editor->document()->isModified());

    // Save as while marked: blanks and tabs reach the file, the marking stays.
    const QString other = world.MissionPath("marks copy.mis");
    world.dialogs.queueFile(other);
    QVERIFY(form->Files().Saveas1Click());
    QCOMPARE(ReadBytes(other), QByteArray("\t.Name A@B #1\r\n.EndMission"));
    QCOMPARE(EditorWorld::Text(form), shown);
    QVERIFY(form->Document->RogueMarking);
  }

  void workFileIsWrittenLikeASaveOrNotAtAll() {
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString path = MissionTempFilePath(folder);
    QString error;
    QString text = QString::fromLatin1("[Main]\n  .Name Caf\xe9 run\n\t.EndMission");
    QVERIFY(WriteMissionTempFile(folder, text, error));
    QVERIFY(error.isEmpty());
    QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\n  .Name Caf\xe9 run\r\n\t.EndMission"));
    // A character the file cannot hold leaves the older work file as it was.
    QVERIFY(!WriteMissionTempFile(folder, "[Main]\n" + QString(QChar(0x20AC)), error));
    QVERIFY2(error.contains("(U+20AC) on line 2"), qPrintable(error));
    QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\n  .Name Caf\xe9 run\r\n\t.EndMission"));
    // An older work file is replaced whole, a shorter text leaves no tail.
    QVERIFY(WriteMissionTempFile(folder, "[Main]\n.End", error));
    QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\n.End"));
    QCOMPARE(Entries(folder), QStringList{"MissionTemp.fil"});
    // An empty text empties the file.
    QVERIFY(WriteMissionTempFile(folder, QString(), error));
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), qint64(0));

    // Failures are reported and change nothing. No program folder:
    QVERIFY(!WriteMissionTempFile(folder + "/gone", "x", error));
    QVERIFY2(error.startsWith("Cannot create \"" + folder + "/gone/MissionTemp.fil\": "), qPrintable(error));

    // A folder of that name.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir(folder).mkdir("MissionTemp.fil"));
    QVERIFY(!WriteMissionTempFile(folder, "x", error));
    QCOMPARE(error, "Cannot write \"" + path + "\": " + SystemText(EISDIR));
    QVERIFY(QDir(folder).rmdir("MissionTemp.fil"));

    // A read-only work file left behind, in a folder everyone may write.
    OpenToEveryone(dir, folder);
    QVERIFY(WriteBytes(path, "older\r\n"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
    bool written = true;
    AsOrdinaryUser([&] { written = WriteMissionTempFile(folder, "newer", error); });
    QVERIFY(!written);
    QCOMPARE(error, "Cannot write \"" + path + "\": " + SystemText(EACCES));
    QCOMPARE(ReadBytes(path), QByteArray("older\r\n"));

    // A full disk: nothing half written.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    {
      FileSizeLimit limit(10);
      written = WriteMissionTempFile(folder, "a text longer than ten bytes", error);
    }
    QVERIFY(!written);
    QVERIFY2(error.endsWith(SystemText(EFBIG)), qPrintable(error));
    QCOMPARE(ReadBytes(path), QByteArray("older\r\n"));
    QCOMPARE(Entries(folder), QStringList{"MissionTemp.fil"});
  }

  void settingsCutAfterEveryLineStartCleanly() {
    const QByteArray full = FullIni();
    const QList<QByteArray> lines = full.split('\n');
    QByteArray cut;
    for (int count = 0; count < lines.size(); ++count) {
      if (count > 0) cut += lines[count - 1] + '\n';
      ProgramWorld world(cut);
      const DisplaySettings& settings = world.frame->State().Settings;
      // Reading past the end is no error; the program starts quietly, but
      // for a file without its missions folder line, which it says.
      const QStringList expected =
          count >= 2 ? QStringList()
                     : QStringList{"Tolvane.INI holds no missions folder on its first two lines: missions named by "
                                   ".LOADNEXTMISSION will not be found."};
      QCOMPARE(world.dialogs.texts, expected);
      QCOMPARE(settings.MissionFolder, count >= 2 ? QString("/srv/missions") : QString());
      QCOMPARE(world.frame->State().Environment.MissionFolder(), count >= 2 ? std::string("/srv/missions") : std::string());
      // Every field read so far has its value, the rest are empty and 0; only
      // a file that reaches its background colour sets the look.
      QCOMPARE(settings.FontName, count >= 5 ? QString("Monospace") : QString());
      QCOMPARE(settings.FontSize, count >= 6 ? 11 : 0);
      QCOMPARE(settings.FontColor, count >= 7 ? 255 : 0);
      QCOMPARE(settings.FontStyle, count >= 8 ? QString("Bold") : QString());
      QCOMPARE(settings.EditorColor, count >= 11 ? 8421504 : 0);
      QCOMPARE(settings.Loaded, count >= 11);
      world.dialogs.clear();
      TEditForm* form = world.OpenRaid();
      QVERIFY(form);
      QCOMPARE(form->Document->DocumentNumber, 1);
      QVERIFY(world.dialogs.informed().isEmpty());
      const QPalette palette = form->Editor->palette();
      QVERIFY2(palette.color(QPalette::Text) != palette.color(QPalette::Base), qPrintable(QString::number(count)));
      if (count >= 11) QCOMPARE(palette.color(QPalette::Base), QColor(128, 128, 128));
      form->Editor->document()->setModified(false);
    }
  }

  void malformedSettingsAreReportedAndTheProgramRunsOn() {
    const QByteArray longLine(100000, 'W');
    struct Case {
      const char* name;
      QByteArray ini;
      int messages;
      bool loaded;
      bool keepsLongLine;  // written back whole by the next settings save
    };
    QByteArray longFolder = FullIni();
    longFolder.replace("/srv/missions", "/srv/" + longLine);
    QByteArray longName = FullIni();
    longName.replace("Monospace", longLine);
    QByteArray longSize = FullIni();
    longSize.replace("\r\n11\r\n", "\r\n" + QByteArray(100000, '1') + "\r\n");
    QByteArray wordSize = FullIni();
    wordSize.replace("\r\n11\r\n", "\r\neleven\r\n");
    QByteArray hugeSize = FullIni();
    hugeSize.replace("\r\n11\r\n", "\r\n2147483648\r\n");
    QByteArray blanksSize = FullIni();
    blanksSize.replace("\r\n11\r\n", "\r\n" + QByteArray(100000, ' ') + "11\r\n");
    QByteArray longColour = FullIni();
    longColour.replace("ColorA=00FF00", "ColorA=" + longLine);
    QByteArray onlyCr = FullIni();
    onlyCr.replace("\r\n", "\r");
    const Case cases[] = {
        {"long folder", longFolder, 0, true, true},
        {"long font name", longName, 0, true, true},
        {"long size", longSize, 1, false, false},
        {"size as a word", wordSize, 1, false, false},
        {"size past the largest number", hugeSize, 1, false, false},
        {"blanks before size", blanksSize, 0, true, false},
        {"long custom colour", longColour, 0, true, false},
        {"CR alone", onlyCr, 1, false, false},  // one long line: no missions folder
    };
    for (const Case& c : cases) {
      ProgramWorld world(c.ini);
      QCOMPARE(world.dialogs.informed().size(), c.messages);
      for (const QString& message : world.dialogs.informed()) {
        QVERIFY2(message.contains("Tolvane.INI"), c.name);
        QVERIFY2(message.size() < 300, c.name);  // the bad line is shown cut short
      }
      QVERIFY2(world.frame->State().Settings.Loaded == c.loaded, c.name);
      QVERIFY2(world.frame->State().TypeNames.TypeNamesLoaded, c.name);
      world.dialogs.clear();
      TEditForm* form = world.OpenRaid();
      QVERIFY2(form && form->Document->DocumentNumber == 1, c.name);
      QVERIFY2(world.dialogs.informed().isEmpty(), c.name);
      QCOMPARE(EditorWorld::Text(form), QString::fromLatin1("[Main]\n  .Name Old text\n.EndMission\n"));
      if (c.loaded) QCOMPARE(form->Editor->font().pointSize(), 11);
      // Settings written back keep the long lines whole.
      QVERIFY2(form->Display().SaveSettings(), c.name);
      const QByteArray written = ReadBytes(world.dir.filePath("Tolvane.INI"));
      if (c.keepsLongLine) QVERIFY2(written.contains("\r\n" + longLine + "\r\n") ||
                                    written.contains("/srv/" + longLine + "\r\n"), c.name);
      QVERIFY2(!written.contains("\r\n" + QByteArray(100000, '1')), c.name);
    }
  }
};

QTEST_MAIN(NoLostWorkTest)
#include "no_lost_work_test.moc"
