#pragma once
// A UserDialogs for tests: every text shown is recorded in order, and every
// question and file dialog is answered from a queue the test fills. An empty
// queue answers Cancel (questions) or an empty path (file dialogs), so a test
// that forgot to script an answer sees a cancelled dialog, never a hang.

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

#include "user_dialogs.h"

namespace tolvane {

class ScriptedDialogs : public UserDialogs {
 public:
  // Which dialog showed a recorded text.
  enum class Kind { Inform, YesNoCancel, YesCancel, YesNo, OpenFile, SaveFile, LineNumber };

  struct Shown {
    Kind kind;
    QString text;  // the message, or the file dialog's title
  };

  // Everything shown so far, in order.
  std::vector<Shown> shown;
  // Only the texts, in order (messages and file dialog titles).
  QStringList texts;
  // The file dialog requests as they arrived (before the scripted answer).
  std::vector<FileDialogRequest> fileRequests;

  // Queues the test fills.
  std::deque<Answer> answers;
  struct FileAnswer {
    QString path;          // empty = cancelled
    int filterIndex = 0;   // 0 = leave the request's index as it was
    QString defaultExtension;  // empty = leave as it was
  };
  std::deque<FileAnswer> fileAnswers;
  // Answers to Go to Line (0: cancelled); what it offered and allowed.
  std::deque<int> lineNumbers;
  int offeredLine = 0;
  int lastLine = 0;

  void queueAnswer(Answer a) { answers.push_back(a); }
  void queueFile(const QString& path, int filterIndex = 0, const QString& extension = QString()) {
    fileAnswers.push_back(FileAnswer{path, filterIndex, extension});
  }

  // The texts of the information boxes only.
  QStringList informed() const {
    QStringList out;
    for (const Shown& s : shown)
      if (s.kind == Kind::Inform) out << s.text;
    return out;
  }

  void clear() {
    shown.clear();
    texts.clear();
    fileRequests.clear();
    answers.clear();
    fileAnswers.clear();
    lineNumbers.clear();
  }

  void Inform(QWidget*, const QString& text) override { record(Kind::Inform, text); }
  Answer AskYesNoCancel(QWidget*, const QString& text) override {
    record(Kind::YesNoCancel, text);
    return next(Answer::Cancel);
  }
  Answer AskYesCancel(QWidget*, const QString& text) override {
    record(Kind::YesCancel, text);
    return next(Answer::Cancel);
  }
  Answer AskYesNo(QWidget*, const QString& text) override {
    record(Kind::YesNo, text);
    return next(Answer::No);
  }
  QString ChooseOpenFile(QWidget*, FileDialogRequest& request) override {
    return nextFile(Kind::OpenFile, request);
  }
  QString ChooseSaveFile(QWidget*, FileDialogRequest& request) override {
    return nextFile(Kind::SaveFile, request);
  }
  int AskLineNumber(QWidget*, int current, int last) override {
    record(Kind::LineNumber, "Go to Line");
    offeredLine = current;
    lastLine = last;
    if (lineNumbers.empty()) return 0;
    const int line = lineNumbers.front();
    lineNumbers.pop_front();
    return line;
  }

 private:
  void record(Kind kind, const QString& text) {
    shown.push_back(Shown{kind, text});
    texts << text;
  }
  Answer next(Answer fallback) {
    if (answers.empty()) return fallback;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  QString nextFile(Kind kind, FileDialogRequest& request) {
    record(kind, request.Title);
    fileRequests.push_back(request);
    if (fileAnswers.empty()) return QString();
    FileAnswer a = fileAnswers.front();
    fileAnswers.pop_front();
    if (a.filterIndex > 0) request.FilterIndex = a.filterIndex;
    if (!a.defaultExtension.isEmpty()) request.DefaultExtension = a.defaultExtension;
    return a.path;
  }
};

}  // namespace tolvane
