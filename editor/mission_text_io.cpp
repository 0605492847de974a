#include "mission_text_io.h"

#include <QFile>
#include <QSaveFile>

namespace tolvane {

namespace {

// The system's description of a failure, with the file it concerns.
QString Failure(const char* what, const QString& path, const QString& reason) {
  return QString("%1 \"%2\": %3").arg(QLatin1String(what), path, reason);
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
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = Failure("Cannot open", path, file.errorString());
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error = Failure("Cannot read", path, file.errorString());
    return false;
  }
  text = NormaliseLineEnds(QString::fromLatin1(bytes));
  return true;
}

bool WriteMissionText(const QString& path, const QString& text, QString& error) {
  error.clear();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = Failure("Cannot create", path, file.errorString());
    return false;
  }
  const QByteArray bytes = WithCrLf(text).toLatin1();
  if (file.write(bytes) != bytes.size()) {
    error = Failure("Cannot write", path, file.errorString());
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = Failure("Cannot write", path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace tolvane
