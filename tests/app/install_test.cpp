// The program as it installs: `cmake --install` into a fresh prefix holds
// every file a desktop needs, the desktop entry and the mission file type
// pass their tools' checks, and the launcher prepares a user's program
// folder on first start and opens the files it is given from there.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs a program to its end; its exit code, -1 when it did not finish.
int Run(const QString& program, const QStringList& arguments, QString* output = nullptr) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    return -1;
  }
  if (output) *output = QString::fromLocal8Bit(process.readAll());
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void Stop(QProcess& program) {
  program.terminate();
  if (!program.waitForFinished(10000)) {
    program.kill();
    program.waitForFinished();
  }
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class InstallTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(prefix.isValid());
    QString output;
    const int status = Run(TOLVANE_CMAKE_COMMAND, {"--install", TOLVANE_BUILD_DIR, "--prefix", prefix.path()}, &output);
    QVERIFY2(status == 0, qPrintable(output));
  }

  void everyFileIsInstalled() {
    const QStringList files = {
        "bin/tolvane",
        "bin/tolvane-verify",
        "libexec/tolvane/tolvane",
        "share/applications/tolvane.desktop",
        "share/icons/hicolor/scalable/apps/tolvane.svg",
        "share/mime/packages/tolvane.xml",
        "share/tolvane/program/Tolvane.INI",
        "share/tolvane/program/ObjectNames.Txt",
        "share/tolvane/program/Readme.txt",
        "share/tolvane/program/Triggers.txt",
        "share/tolvane/examples/harbour_watch.mis",
    };
    for (const QString& file : files) QVERIFY2(QFileInfo::exists(prefix.filePath(file)), qPrintable(file));
    for (const QString& program : {"bin/tolvane", "bin/tolvane-verify", "libexec/tolvane/tolvane"})
      QVERIFY2(QFileInfo(prefix.filePath(program)).isExecutable(), qPrintable(program));
    if (TOLVANE_HAS_LSP) QVERIFY(QFileInfo(prefix.filePath("bin/tolvane-lsp")).isExecutable());
    QCOMPARE(Read(prefix.filePath("share/tolvane/program/ObjectNames.Txt")),
             Read(TOLVANE_SOURCE_DIR "/program/ObjectNames.Txt"));

    // The installed verifier runs on its own.
    QString output;
    QCOMPARE(Run(prefix.filePath("bin/tolvane-verify"),
                 {"--program-folder", prefix.filePath("share/tolvane/program"),
                  prefix.filePath("share/tolvane/examples/harbour_watch.mis")},
                 &output),
             0);
  }

  void theDesktopEntryAndTheMissionTypeAreValid() {
    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    const QString mimeDatabase = QStandardPaths::findExecutable("update-mime-database");
    if (validate.isEmpty() || mimeDatabase.isEmpty()) QSKIP("desktop-file-utils or shared-mime-info missing");
    QString output;
    QCOMPARE(Run(validate, {prefix.filePath("share/applications/tolvane.desktop")}, &output), 0);
    QVERIFY2(output.trimmed().isEmpty(), qPrintable(output));
    const QByteArray entry = Read(prefix.filePath("share/applications/tolvane.desktop"));
    QVERIFY(entry.contains("\nExec=tolvane %F\n"));
    QVERIFY(entry.contains("\nMimeType=text/x-skyrend-mission;\n"));

    // The type's XML builds a database that maps *.mis to it.
    QTemporaryDir mime;
    QVERIFY(QDir(mime.path()).mkpath("packages"));
    QVERIFY(QFile::copy(prefix.filePath("share/mime/packages/tolvane.xml"), mime.filePath("packages/tolvane.xml")));
    QCOMPARE(Run(mimeDatabase, {mime.path()}, &output), 0);
    QVERIFY2(Read(mime.filePath("globs2")).contains("text/x-skyrend-mission:*.mis"), qPrintable(output));
  }

  void theLauncherPreparesTheUsersProgramFolder() {
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkpath("work"));
    const QString mission = home.filePath("work/night.mis");
    QFile::copy(TOLVANE_SOURCE_DIR "/examples/harbour_watch.mis", mission);
    const QString folder = home.filePath("data/tolvane");

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(home.filePath("work"));
    // A name relative to the folder the launcher starts in.
    program.start(prefix.filePath("bin/tolvane"), {"night.mis"});
    QVERIFY(program.waitForStarted());
    // The program opened the file from its own folder: the file heads its
    // recent files there.
    const QString settings = folder + "/TolvaneUser.ini";
    QTRY_VERIFY_WITH_TIMEOUT(
        QSettings(settings, QSettings::IniFormat).value("RecentFiles/Files").toStringList().value(0) == mission,
        30000);
    Stop(program);

    for (const QString& file : {"Tolvane.INI", "ObjectNames.Txt", "Readme.txt", "Triggers.txt"})
      QCOMPARE(Read(folder + "/" + file).isEmpty(), false);
    QVERIFY(QFileInfo::exists(folder + "/missions/harbour_watch.mis"));
    // The settings name the user's missions folder; the rest as shipped.
    const QList<QByteArray> lines = Read(folder + "/Tolvane.INI").split('\n');
    const QList<QByteArray> shipped = Read(TOLVANE_SOURCE_DIR "/program/Tolvane.INI").split('\n');
    QCOMPARE(lines.value(1), QFile::encodeName(folder + "/missions") + "\r");
    QCOMPARE(lines.mid(2), shipped.mid(2));

    // A second start keeps what the user changed.
    QFile ini(folder + "/Tolvane.INI");
    QVERIFY(ini.open(QIODevice::Append));
    ini.write("changed\r\n");
    ini.close();
    QVERIFY(QFile::remove(folder + "/Readme.txt"));
    program.start(prefix.filePath("bin/tolvane"), {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder + "/Readme.txt"), 30000);
    Stop(program);
    QVERIFY(Read(folder + "/Tolvane.INI").endsWith("changed\r\n"));
  }

 private:
  QTemporaryDir prefix;
};

QTEST_GUILESS_MAIN(InstallTest)
#include "install_test.moc"
