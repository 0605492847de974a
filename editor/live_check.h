#pragma once
// Checking as you type, in document 1: a second after the text last
// changed, the verifier runs on a worker thread over a copy of the text (its
// bytes as a save writes them) with a state and an environment of its own.
// No work file is written, no message box is shown, the shared object
// tables and the explicit Verify command are left alone. The first error is
// shown in the text area (wavy underline of the statement, a mark in the
// gutter, the message and code as their tool tip) and in the frame's status
// bar; a text without error clears them.
//
// A change of the text makes any run under way out of date: the run is
// told to stop and does within a few thousand lines, and every run carries
// the number of the text it checks, so a result for an older number is
// dropped. Runs wait for each other, but only the newest waiting one is
// kept, so the checks keep up with typing on a long mission.

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>

#include "document_parts.h"

namespace tolvane {

// What one check found, in the words of the Verify command.
struct LiveCheckResult {
  quint64 Generation = 0;
  bool MissionOk = true;
  int ErrNo = 0;
  QString ErrMsg;
  int LineNo = 0;
  QString LocateText;  // the statement in error
};

class LiveCheck : public QObject {
  Q_OBJECT

 public:
  // How long the text must stay unchanged before it is checked.
  static constexpr int QuietMilliseconds = 1000;

  explicit LiveCheck(const DocumentParts& parts);
  ~LiveCheck() override;

  // On or off for this window (the program keeps the choice in its own
  // settings); off clears what is shown.
  void SetEnabled(bool on);
  bool Enabled() const { return enabled_; }

  // The text has changed: the shown error stays until the next result, and
  // a check is due after the quiet time.
  void TextChanged();
  // Checks at once (the quiet time is over).
  void CheckNow();

  // What the status bar shows for this window: the error, or that the text
  // has none; empty while nothing was checked.
  QString StatusText() const { return statusText_; }
  // The last result shown.
  const LiveCheckResult& LastShown() const { return lastShown_; }
  // True while a check is due or under way for the text as it stands.
  bool Pending() const { return timer_.isActive() || waiting_; }

 signals:
  // A result for the current text has been shown.
  void Checked();

 private:
  bool Applies() const;
  void Show(const LiveCheckResult& result);
  void Clear();
  void SetStatus(const QString& text);

  DocumentParts parts_;
  bool enabled_ = true;
  QTimer timer_;
  QThreadPool pool_;
  quint64 generation_ = 0;
  // The newest text's number, for the worker to see that its run is out
  // of date before it starts.
  std::shared_ptr<std::atomic<quint64>> latest_ = std::make_shared<std::atomic<quint64>>(0);
  // Tells the run under way, if any, to stop.
  void StopRunning();
  std::shared_ptr<std::atomic<bool>> running_;
  bool waiting_ = false;
  QString statusText_;
  LiveCheckResult lastShown_;
};

// The statement's place in its line, as the text area underlines it: the
// statement where it stands (exactly, or in another letter case), else the
// line from its first non-blank character; a line of blanks is underlined
// whole. start is 0-based; a length of 0 marks the line only.
void ErrorSpanInLine(const QString& line, const QString& statement, int& start, int& length);

}  // namespace tolvane
