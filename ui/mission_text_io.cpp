#include "mission_text_io.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "file_reader.h"

namespace tolvane {

namespace {

// The system's description of a failure, with the file it concerns.
QString Failure(const char* what, const QString& path, const QString& reason) {
  return QString("%1 \"%2\": %3").arg(QLatin1String(what), path, reason);
}

QString SystemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Whether the file standing at path (if any) may be replaced by this user.
// A rename into the folder could replace a file that the user cannot write,
// so the file's own permission is asked, with the user's effective rights.
bool MayReplace(const QString& path, QString& error) {
  const QByteArray native = QFile::encodeName(path);
  struct stat info {};
  if (::stat(native.constData(), &info) != 0) return true;  // nothing there yet
  if (S_ISDIR(info.st_mode)) {
    error = Failure("Cannot write", path, SystemText(EISDIR));
    return false;
  }
  if (::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0) {
    error = Failure("Cannot write", path, SystemText(errno));
    return false;
  }
  return true;
}

// The characters outside Latin-1 that a mission file keeps as their plain
// equivalents.
struct PlainEquivalent {
  char32_t From;
  const char* To;
};
constexpr PlainEquivalent PlainEquivalents[] = {
    // single quotes
    {U'\u2018', "'"}, {U'\u2019', "'"}, {U'\u201A', "'"}, {U'\u201B', "'"},
    // double quotes
    {U'\u201C', "\""}, {U'\u201D', "\""}, {U'\u201E', "\""}, {U'\u201F', "\""},
    // hyphens, dashes and the minus sign
    {U'\u2010', "-"}, {U'\u2011', "-"}, {U'\u2012', "-"}, {U'\u2013', "-"}, {U'\u2014', "-"}, {U'\u2015', "-"},
    {U'\u2212', "-"},
    // ellipsis
    {U'\u2026', "..."},
};

const char* PlainEquivalentOf(char32_t character) {
  for (const PlainEquivalent& entry : PlainEquivalents)
    if (entry.From == character) return entry.To;
  return nullptr;
}

// The index of the first character outside Latin-1, or -1.
qsizetype FirstWideCharacter(const QString& text) {
  const QChar* data = text.constData();
  for (qsizetype i = 0, n = text.size(); i < n; ++i)
    if (data[i].unicode() > 0xFF) return i;
  return -1;
}

// The whole character (both halves of a surrogate pair) at index.
QString CharacterAt(const QString& text, qsizetype index) {
  const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate();
  return text.mid(index, pair ? 2 : 1);
}

}  // namespace

QString DescribeCharacter(const QString& character) {
  const QList<uint> codes = character.toUcs4();
  const uint code = codes.isEmpty() ? 0 : codes.first();
  const QString number = QString("U+%1").arg(QString::number(code, 16).toUpper(), 4, QLatin1Char('0'));
  if (!QChar::isPrint(code) || QChar::category(code) == QChar::Separator_Line ||
      QChar::category(code) == QChar::Separator_Paragraph)
    return number;
  return QString("\"%1\" (%2)").arg(character, number);
}

bool FitMissionCharacters(QString& text, QString& refused) {
  refused.clear();
  qsizetype first = FirstWideCharacter(text);
  if (first < 0) return true;
  QString fitted = text.left(first);
  for (qsizetype i = first, n = text.size(); i < n;) {
    const QString character = CharacterAt(text, i);
    i += character.size();
    if (character.at(0).unicode() <= 0xFF) {
      fitted += character;
      continue;
    }
    const char* plain = character.size() == 1 ? PlainEquivalentOf(character.at(0).unicode()) : nullptr;
    if (!plain) {
      refused = character;
      return false;
    }
    fitted += QLatin1String(plain);
  }
  text = fitted;
  return true;
}

QString NormaliseLineEnds(const QString& text) {
  if (!text.contains(QLatin1Char('\r'))) return text;
  QString out(text.size(), Qt::Uninitialized);
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  char16_t* next = reinterpret_cast<char16_t*>(out.data());
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (in[i] == u'\r') {
      if (i + 1 < n && in[i + 1] == u'\n') ++i;
      *next++ = u'\n';
    } else {
      *next++ = in[i];
    }
  }
  out.truncate(next - reinterpret_cast<const char16_t*>(out.constData()));
  return out;
}

QString TextFromMissionBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  // A line at a time, each converted in one go.
  std::size_t at = 0;
  while (at < bytes.size()) {
    const void* cr = std::memchr(bytes.data() + at, '\r', bytes.size() - at);
    const std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data()) : bytes.size();
    text.append(QLatin1String(bytes.data() + at, static_cast<qsizetype>(end - at)));
    if (end == bytes.size()) break;
    text.append(QLatin1Char('\n'));
    at = end + 1;
    if (at < bytes.size() && bytes[at] == '\n') ++at;
  }
  return text;
}

QByteArray MissionBytesOf(QStringView text, QChar lineBreak, std::string_view lineEnd, bool* exact) {
  const qsizetype lines = text.count(lineBreak);
  QByteArray bytes(text.size() + lines * (static_cast<qsizetype>(lineEnd.size()) - 1), Qt::Uninitialized);
  char* next = bytes.data();
  bool latin1 = true;
  for (const QChar c : text) {
    if (c == lineBreak) {
      std::memcpy(next, lineEnd.data(), lineEnd.size());
      next += lineEnd.size();
    } else if (c.unicode() <= 0xFF) {
      *next++ = static_cast<char>(c.unicode());
    } else {
      *next++ = '?';
      latin1 = false;
    }
  }
  if (exact) *exact = latin1;
  return bytes;
}

bool ReadMissionText(const QString& path, QString& text, QString& error) {
  text.clear();
  error.clear();
  // Only an ordinary file is read: a pipe or a device could be read without end.
  std::string bytes;
  const ReadResult read = ReadFileBytes(QFile::encodeName(path).toStdString(), bytes);
  if (!read.Ok()) {
    error = Failure(read.Status == ReadStatus::Unreadable ? "Cannot read" : "Cannot open", path,
                    QString::fromLocal8Bit(read.Reason.c_str()));
    return false;
  }
  text = TextFromMissionBytes(bytes);
  return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString& error) {
  error.clear();
  if (!MayReplace(path, error)) return false;
  QSaveFile file(path);
  // Unbuffered, so that a short write shows at once and with its reason;
  // a buffered write that fails while flushing could pass unnoticed.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    error = Failure("Cannot create", path, file.errorString());
    return false;
  }
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
    if (n <= 0) {
      error = Failure("Cannot write", path, file.errorString());
      file.cancelWriting();
      return false;
    }
    written += n;
  }
  // Every byte on disk before the new file takes the old one's place.
  if (::fsync(file.handle()) != 0 && errno != EINVAL) {
    error = Failure("Cannot write", path, SystemText(errno));
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = Failure("Cannot write", path, file.errorString());
    return false;
  }
  return true;
}

bool WriteMissionText(const QString& path, const QString& text, QString& error) {
  error.clear();
  const qsizetype wide = FirstWideCharacter(text);
  if (wide >= 0) {
    const qsizetype line = text.left(wide).count(QLatin1Char('\n')) + 1;
    error = Failure("Cannot write", path,
                    QString("%1 on line %2 cannot be saved in a mission file")
                        .arg(DescribeCharacter(CharacterAt(text, wide)))
                        .arg(line));
    return false;
  }
  return WriteFileAtomically(path, MissionBytesOf(text), error);
}

QString MissionTempFilePath(const QString& programFolder) { return programFolder + "/MissionTemp.fil"; }

bool WriteMissionTempFile(const QString& programFolder, const QString& text, QString& error) {
  return WriteMissionText(MissionTempFilePath(programFolder), text, error);
}

}  // namespace tolvane
