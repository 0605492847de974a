// Mission text on disk: 8-bit both ways, CR LF written, atomic replacement.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "editor_test_support.h"
#include "mission_text_io.h"
#include "user_settings.h"

using namespace tolvane;

namespace {

// Every byte value 1 to 255 but the line-end bytes, spread over lines that
// end in CR LF.
QByteArray EveryByteInCrLfLines() {
  QByteArray bytes;
  int onLine = 0;
  for (int value = 1; value <= 255; ++value) {
    if (value == '\r' || value == '\n') continue;
    bytes += char(value);
    if (++onLine == 40) {
      bytes += "\r\n";
      onLine = 0;
    }
  }
  bytes += "\r\n";
  return bytes;
}

// Runs a piece of code with file permissions checked as an ordinary user,
// also when the tests run as root (root writes into read-only folders). The
// recent-files writer is let finish on either side of the switch, which holds
// for every thread: no write may begin as one user and end as the other.
template <typename Work>
void AsOrdinaryUser(Work work) {
  const bool root = geteuid() == 0;
  UserSettings::FinishWrites();
  if (root && seteuid(65534) != 0) QFAIL("cannot drop to an ordinary user");
  work();
  UserSettings::FinishWrites();
  if (root && seteuid(0) != 0) qFatal("cannot return to root");
}

}  // namespace

class MissionTextIoTest : public QObject {
  Q_OBJECT

 private slots:
  void characterOutsideLatin1IsRefusedNeverWrittenAsAStandIn() {
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.mis");
    QVERIFY(WriteBytes(path, "[Main]\r\n"));
    QString error;
    QVERIFY(!WriteMissionText(path, QString("[Main]\n.Name Caf\u00e9 ") + QChar(0x20AC) + "\n", error));
    QCOMPARE(error, "Cannot write \"" + path + "\": \"\u20ac\" (U+20AC) on line 2 cannot be saved in a mission file");
    QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\n"));
    // A character beyond the first plane, and one that shows nothing, named by code.
    QVERIFY(!WriteMissionText(path, QString::fromUtf8("\xF0\x9F\x9B\xA9"), error));
    QVERIFY2(error.endsWith("(U+1F6E9) on line 1 cannot be saved in a mission file"), qPrintable(error));
    QVERIFY(!WriteMissionText(path, QString("a\nb") + QChar(0x2028), error));
    QVERIFY2(error.endsWith(": U+2028 on line 2 cannot be saved in a mission file"), qPrintable(error));
    QCOMPARE(ReadBytes(path), QByteArray("[Main]\r\n"));
  }

  void typographicCharactersFitAndOthersAreRefused() {
    QString text = QString::fromUtf8("\u2018a\u2019 \u201Cb\u201D \u201Ec\u201F d\u2013e\u2014f\u2212g \u2026 \u00e9\u0085");
    QString refused = "left over";
    QVERIFY(FitMissionCharacters(text, refused));
    QCOMPARE(text, QString::fromUtf8("'a' \"b\" \"c\" d-e-f-g ... \u00e9\u0085"));
    QVERIFY(refused.isEmpty());
    // The first character without an equivalent is named; the text is left as it was.
    text = QString::fromUtf8("It\u2019s \u20ac5 or \u00a35 \U0001F6E9");
    const QString before = text;
    QVERIFY(!FitMissionCharacters(text, refused));
    QCOMPARE(refused, QString::fromUtf8("\u20ac"));
    QCOMPARE(text, before);
    text = QString::fromUtf8("ok \U0001F6E9");
    QVERIFY(!FitMissionCharacters(text, refused));
    QCOMPARE(refused.size(), 2);  // both halves of the pair
    QCOMPARE(DescribeCharacter(refused), QString::fromUtf8("\"\U0001F6E9\" (U+1F6E9)"));
  }

  void windowRoundTripKeepsEveryByte() {
    // Every byte survives open and save; an LF file is saved with CR LF and
    // nothing else changed.
    EditorWorld world;
    const QByteArray bytes = EveryByteInCrLfLines();
    TEditForm* form = world.Open(world.Mission("bytes.mis", bytes));
    QVERIFY(form);
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(form->Document->FileName), bytes);

    const QByteArray lf = "[Main]\n  .Name Dover patrol\n\t.EndString\n\n.EndMission";
    form = world.Open(world.Mission("lf.mis", lf));
    QVERIFY(form->Files().Save1Click());
    QCOMPARE(ReadBytes(form->Document->FileName),
             QByteArray("[Main]\r\n  .Name Dover patrol\r\n\t.EndString\r\n\r\n.EndMission"));

    // NUL bytes, a line of 100,000 characters, every kind of line end (a CR
    // alone, and one before CR LF, end a line too) and a last line without one.
    QByteArray odd("a\0b\r\n", 5);
    odd += QByteArray(100000, 'x') + "\r\n";
    odd += "lf only\nmixed\r\ncr\rdouble\r\r\n\tlast";
    form = world.Open(world.Mission("odd.mis", odd));
    QCOMPARE(form->Editor->document()->blockCount(), 8);
    QVERIFY(form->Files().Save1Click());
    QByteArray expected("a\0b\r\n", 5);
    expected += QByteArray(100000, 'x') + "\r\nlf only\r\nmixed\r\ncr\r\ndouble\r\n\r\n\tlast";
    QCOMPARE(ReadBytes(form->Document->FileName), expected);
  }
  void windowKeepsTextAndOldFileWhenSaveFails() {
    EditorWorld world;
    QFile::setPermissions(world.dir.path(), QFile::permissions(world.dir.path()) | QFile::ExeOther |
                                                QFile::ReadOther);
    TEditForm* form = world.Open(world.Mission("kept.mis", "old line\r\n"));
    QVERIFY(form);
    form->Editor->setPlainText("new line\n");
    form->Editor->document()->setModified(true);
    const QString folder = world.Missions();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    bool saved = true;
    AsOrdinaryUser([&] { saved = form->Files().Save1Click(); });
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!saved);
    QCOMPARE(world.dialogs.informed().size(), 1);
    QVERIFY(world.dialogs.informed().first().startsWith("Cannot create \"" + form->Document->FileName + "\": "));
    QCOMPARE(ReadBytes(form->Document->FileName), QByteArray("old line\r\n"));
    QCOMPARE(EditorWorld::Text(form), QString("new line\n"));
    QVERIFY(form->Editor->document()->isModified());
  }
};

QTEST_MAIN(MissionTextIoTest)
#include "mission_text_io_test.moc"
