#include "live_check.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <string_view>

#include "app_state.h"
#include "document_host.h"
#include "error_location.h"
#include "mission_document.h"
#include "mission_editor.h"
#include "mission_text_io.h"
#include "verify.h"

namespace tolvane {

namespace {

bool IsBlankOrTab(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// One verification of the bytes with a state of its own; false when the
// run was stopped before its end (a newer text has come).
bool Check(quint64 generation, const QByteArray& bytes, const VerifierEnvironment& environment,
           const std::atomic<bool>& stop, LiveCheckResult& result) {
  auto state = std::make_unique<MissionState>();
  state->StopRequested = &stop;
  const VerifyResult verdict = VerifyMissionBytes(
      *state, environment, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (verdict.Stopped) return false;
  result.Generation = generation;
  result.MissionOk = verdict.MissionOk;
  result.ErrNo = state->ErrNo;
  result.ErrMsg = QString::fromLatin1(state->ErrMsg.data(), static_cast<qsizetype>(state->ErrMsg.size()));
  result.LineNo = state->LineNo;
  result.LocateText =
      QString::fromLatin1(verdict.LocateText.data(), static_cast<qsizetype>(verdict.LocateText.size()));
  return true;
}

}  // namespace

void ErrorSpanInLine(const QString& line, const QString& statement, int& start, int& length) {
  start = 0;
  length = 0;
  int first = 0;
  while (first < line.size() && IsBlankOrTab(line.at(first))) ++first;
  if (first == line.size()) {
    length = static_cast<int>(line.size());
    return;
  }
  if (!statement.isEmpty()) {
    qsizetype at = line.indexOf(statement);
    if (at < 0) {
      // The verifier upper-cases some keyword lines before it keeps them.
      const QByteArray bytes = line.toLatin1();
      const QByteArray wanted = statement.toLatin1();
      const int column = StatementColumn(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                         std::string_view(wanted.constData(), static_cast<std::size_t>(wanted.size())));
      if (QStringView(line).mid(column - 1, statement.size()).compare(statement, Qt::CaseInsensitive) == 0)
        at = column - 1;
    }
    if (at >= 0) {
      start = static_cast<int>(at);
      length = static_cast<int>(statement.size());
      return;
    }
  }
  int last = static_cast<int>(line.size());
  while (last > first && IsBlankOrTab(line.at(last - 1))) --last;
  start = first;
  length = last - first;
}

LiveCheck::LiveCheck(const DocumentParts& parts) : QObject(parts.Window), parts_(parts) {
  enabled_ = parts_.State->CheckAsYouType;
  timer_.setSingleShot(true);
  timer_.setInterval(QuietMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &LiveCheck::CheckNow);
  pool_.setMaxThreadCount(1);
}

LiveCheck::~LiveCheck() {
  // A run under way finishes before its result's receiver goes.
  timer_.stop();
  latest_->store(++generation_);
  StopRunning();
  pool_.clear();
  pool_.waitForDone();
}

void LiveCheck::StopRunning() {
  if (running_) running_->store(true);
  running_.reset();
}

bool LiveCheck::Applies() const { return enabled_ && parts_.Document->DocumentNumber == 1; }

void LiveCheck::SetEnabled(bool on) {
  enabled_ = on;
  if (on) {
    TextChanged();
  } else {
    latest_->store(++generation_);
    StopRunning();
    Clear();
  }
}

void LiveCheck::TextChanged() {
  latest_->store(++generation_);
  StopRunning();
  if (enabled_) timer_.start();
}

void LiveCheck::CheckNow() {
  timer_.stop();
  if (!Applies()) {
    Clear();
    return;
  }
  const quint64 generation = generation_;
  // A copy of the text; the worker makes the bytes a save would write, and
  // the verifier reads them from memory.
  QString raw = parts_.Document->Text()->toRawText();
  auto environment = std::make_shared<MissionFolderEnvironment>(parts_.State->Environment);
  waiting_ = true;
  // A run still waiting for the worker is out of date, and so is one under
  // way: it stops at its next look.
  pool_.clear();
  StopRunning();
  running_ = std::make_shared<std::atomic<bool>>(false);
  pool_.start([this, generation, raw = std::move(raw), environment, latest = latest_, stop = running_] {
    if (latest->load() != generation) return;
    LiveCheckResult result;
    if (!Check(generation, MissionBytesOf(raw, QChar::ParagraphSeparator), *environment, *stop, result)) return;
    QMetaObject::invokeMethod(this, [this, result] { Show(result); }, Qt::QueuedConnection);
  });
}

void LiveCheck::Show(const LiveCheckResult& result) {
  if (result.Generation != generation_) return;  // a result for an older text
  waiting_ = false;
  if (!Applies()) {
    Clear();
    return;
  }
  lastShown_ = result;
  MissionEditor* editor = parts_.Editor;
  if (result.MissionOk) {
    editor->ClearCheckedError();
    SetStatus("Checked: no error found");
  } else {
    QTextDocument* text = editor->document();
    // A block left open at the end is reported at the line after the last.
    QTextBlock block = text->findBlockByNumber(result.LineNo - 1);
    if (!block.isValid()) block = text->lastBlock();
    int start = 0;
    int length = 0;
    ErrorSpanInLine(block.text(), result.LocateText, start, length);
    QTextCursor statement(text);
    statement.setPosition(block.position() + start);
    statement.setPosition(block.position() + start + length, QTextCursor::KeepAnchor);
    const QString tip = QString("%1 [%2]").arg(result.ErrMsg.trimmed()).arg(result.ErrNo);
    editor->ShowCheckedError(statement, tip);
    SetStatus(QString("Line %1: %2").arg(result.LineNo).arg(tip));
  }
  emit Checked();
}

void LiveCheck::Clear() {
  timer_.stop();
  waiting_ = false;
  lastShown_ = LiveCheckResult();
  parts_.Editor->ClearCheckedError();
  SetStatus(QString());
}

void LiveCheck::SetStatus(const QString& text) {
  statusText_ = text;
  if (parts_.Host && parts_.Host->IsActiveDocument(dynamic_cast<DocumentWindow*>(parts_.Window)))
    parts_.Host->SetCheckStatus(text);
}

}  // namespace tolvane
