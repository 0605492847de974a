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

}  // namespace

QString NormaliseLineEnds(const QString& text) {
  QString out;
  out.reserve(text.size());
  const int n = text.size();
  for (int i = 0; i < n; ++i) {
    const QChar ch = text.at(i);
    if (ch == QLatin1Char('\r')) {
      if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
      out += QLatin1Char('\n');
    } else {
      out += ch;
    }
  }
  return out;
}

QString WithCrLf(const QString& text) {
  QString out;
  out.reserve(text.size() + text.size() / 16);
  for (const QChar ch : text) {
    if (ch == QLatin1Char('\n')) out += QLatin1Char('\r');
    out += ch;
  }
  return out;
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
  text = NormaliseLineEnds(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
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
  return WriteFileAtomically(path, WithCrLf(text).toLatin1(), error);
}

QString MissionTempFilePath(const QString& programFolder) { return programFolder + "/MissionTemp.fil"; }

bool WriteMissionTempFile(const QString& programFolder, const QString& text, QString& error) {
  return WriteMissionText(MissionTempFilePath(programFolder), text, error);
}

}  // namespace tolvane
