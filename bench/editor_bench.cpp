// The desktop rows of scripts/bench.sh: the real frame and document window,
// offscreen, driven through their menu items and keys with scripted
// dialogs, each command timed against QPlainTextEdit::setPlainText of the
// same text in the same run.
//
//   editor_bench start       starts as the program does and prints the
//                            monotonic clock (ns) once the frame is shown
//                            and painted; run it in a program folder
//   editor_bench start-bare  the same for an empty main window: the floor
//                            of any Qt program
//   editor_bench rows LINES RUNS [ROW]
//                            each row (or the one whose name begins with
//                            ROW, for a profile) RUNS times, its command and
//                            setPlainText in turn; prints one line a row:
//                            row <tab> name <tab> median ms <tab> median
//                            ms of setPlainText
//
// Each timed step includes the events it leaves (repaints, layout), handled
// before the clock stops; setPlainText gets the same. Checking as you type
// is off, so that no background check runs while a figure is taken.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "edit_form.h"
#include "find_dialogs.h"
#include "frame_window.h"
#include "mission_editor.h"
#include "mission_generator.h"
#include "mission_text_io.h"
#include "program_icon.h"
#include "rogue_view.h"
#include "scripted_dialogs.h"
#include "search_commands.h"

namespace {

using tolvane::Answer;
using tolvane::ScriptedDialogs;
using tolvane::TEditForm;
using tolvane::TFrameForm;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "editor_bench: %s\n", what.c_str());
  std::exit(1);
}

void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

// The time of the steps, the events they left included.
double TimeMs(const std::function<void()>& steps) {
  QElapsedTimer timer;
  timer.start();
  steps();
  Settle();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Bytes(const std::string& text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// ---------------------------------------------------------------------------
// Start-up

void PrintClock() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
}

void WaitUntilShown(QWidget& window) {
  while (!window.windowHandle() || !window.windowHandle()->isExposed())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  Settle();
}

int Start(int argc, char** argv, bool bare) {
  QApplication application(argc, argv);
  if (bare) {
    QMainWindow window;
    window.show();
    WaitUntilShown(window);
    PrintClock();
    return 0;
  }
  // As the program's entry does it.
  QApplication::setApplicationName("Tolvane");
  QApplication::setWindowIcon(tolvane::ProgramIcon());
  TFrameForm FrameForm;
  FrameForm.show();
  WaitUntilShown(FrameForm);
  PrintClock();
  return 0;
}

// ---------------------------------------------------------------------------
// The rows

// A program folder with the generator's type names and a missions folder,
// and a frame over it whose dialogs answer from a script.
class World {
 public:
  World() {
    const QString folder = dir_.path();
    QDir(folder).mkdir("missions");
    QByteArray ini = "[MISSION FOLDER]\r\n" + QFile::encodeName(Missions()) +
                     "\r\n\r\n[FONT]\r\nMonospace\r\n10\r\n0\r\nRegular\r\n\r\n[COLOR]\r\n16777215\r\n";
    for (char slot = 'A'; slot <= 'P'; ++slot) ini += QByteArray("Color") + slot + "=FFFFFF\r\n";
    WriteFile(folder + "/Tolvane.INI", ini + "\r\n");
    WriteFile(folder + "/ObjectNames.Txt", Bytes(tolvane::bench::GeneratorTypeNames()));
    WriteFile(folder + "/Triggers.txt", "");
    // The mission a ".LOADNEXTMISSION" action names.
    WriteFile(Missions() + "/next.mis", Bytes(tolvane::bench::GenerateMission(tolvane::bench::SmallShape())));
    TFrameForm::Options options;
    options.Dialogs = &dialogs;
    options.ProgramFolder = folder;
    frame = std::make_unique<TFrameForm>(options);
    frame->State().CheckAsYouType = false;
    frame->resize(1200, 900);
    frame->show();
    WaitUntilShown(*frame);
    dialogs.clear();
  }

  QString Missions() const { return dir_.path() + "/missions"; }

  TEditForm* Open(const QString& path) {
    dialogs.queueFile(path);
    frame->Open1Click();
    return qobject_cast<TEditForm*>(frame->ActiveDocument());
  }

  void Close(TEditForm* form) {
    form->Editor->document()->setModified(false);
    form->Close1Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Settle();
  }

  QString LastMessage() const {
    const QStringList shown = dialogs.informed();
    return shown.isEmpty() ? QString() : shown.last();
  }

  ScriptedDialogs dialogs;
  std::unique_ptr<TFrameForm> frame;

 private:
  QTemporaryDir dir_;
};

// setPlainText of the text in a plain text area of the editor's size (no
// wrapping, as the editor), shown.
double TimeSetPlainText(const QString& text, const QSize& size) {
  QPlainTextEdit edit;
  edit.setLineWrapMode(QPlainTextEdit::NoWrap);
  edit.resize(size);
  edit.show();
  WaitUntilShown(edit);
  return TimeMs([&] { edit.setPlainText(text); });
}

struct Row {
  std::string Name;
  QString Path;  // the mission file the row works on
  // Before each run, the run (timed), after it (not timed).
  std::function<void(TEditForm*)> Before, Run, After;
  // Opens the file in each run (the form is then made by Run).
  bool Opens = false;
};

void RunRow(World& world, const Row& row, int runs) {
  QString text;
  QString error;
  if (!tolvane::ReadMissionText(row.Path, text, error)) Fail(error.toStdString());
  TEditForm* form = row.Opens ? nullptr : world.Open(row.Path);
  if (!row.Opens && !form) Fail("cannot open " + row.Path.toStdString());
  const QSize size = row.Opens ? world.frame->DocumentWindowSize() : form->Editor->size();
  Settle();
  std::vector<double> figures, baselines;
  for (int i = 0; i < runs; ++i) {
    baselines.push_back(TimeSetPlainText(text, size));
    if (row.Before) row.Before(form);
    if (row.Opens) {
      figures.push_back(TimeMs([&] { form = world.Open(row.Path); }));
      if (!form || form->Editor->blockCount() < 2) Fail("the open row opened nothing");
      if (row.After) row.After(form);
      world.Close(form);
      form = nullptr;
    } else {
      figures.push_back(TimeMs([&] { row.Run(form); }));
      if (row.After) row.After(form);
    }
  }
  if (form) world.Close(form);
  std::printf("row\t%s\t%.2f\t%.2f\n", row.Name.c_str(), Median(figures), Median(baselines));
  std::fflush(stdout);
}

// The word Replace All replaces, and how often the mission holds it.
const char* const kReplaced = "estuary";

// The generated mission of `lines` lines, with the word to replace left in
// `occurrences` of its note lines (the later notes spell it otherwise). At
// 100,000 lines and more every table is near its capacity; a shorter
// mission takes a few of everything, so that half of its lines are notes.
std::string RowMission(std::size_t lines, std::size_t occurrences) {
  tolvane::bench::MissionShape shape;
  if (lines < 100000) shape = tolvane::bench::SmallShape();
  shape.PadToLines = lines;
  std::string text = tolvane::bench::GenerateMission(shape);
  const std::string word = kReplaced;
  std::size_t kept = 0;
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) {
    if (kept < occurrences)
      ++kept;
    else
      text[at] = 'E';
  }
  if (kept != occurrences) Fail("the mission holds too few notes for Replace All");
  return text;
}

int Rows(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::size_t lines = std::strtoull(argv[2], nullptr, 10);
  const int runs = std::max(1, std::atoi(argv[3]));
  World world;
  const QString mission = world.Missions() + "/rows.mis";
  const QString renumbered = world.Missions() + "/renumber.mis";
  if (!WriteFile(mission, Bytes(RowMission(lines, lines / 2))) ||
      !WriteFile(renumbered, Bytes(tolvane::bench::RenumberMission(500, static_cast<int>(lines / 10), lines))))
    Fail("cannot write the missions");
  const std::string size = std::to_string(lines / 1000) + "k";

  std::vector<Row> rows;
  {
    Row row;
    row.Name = "open " + size;
    row.Path = mission;
    row.Opens = true;
    rows.push_back(row);
  }
  {
    Row row;
    row.Name = "rogue on+off " + size;
    row.Path = mission;
    row.Run = [](TEditForm* form) {
      form->TurnOnRogueCheck1->trigger();
      Settle();
      form->TurnOffRogueCheck1->trigger();
    };
    rows.push_back(row);
  }
  {
    Row row;
    row.Name = "replace all " + size;
    row.Path = mission;
    row.Before = [&world](TEditForm* form) {
      form->Search().ReplaceDialog1()->SetFindText(kReplaced);
      form->Search().ReplaceDialog1()->SetReplaceText("river mouth");
      world.dialogs.queueAnswer(Answer::Yes);
    };
    row.Run = [](TEditForm* form) { form->Search().ReplaceDialog1DoReplaceAll(); };
    row.After = [&world](TEditForm* form) {
      if (world.LastMessage() != "Done Replacing!") Fail("Replace All: " + world.LastMessage().toStdString());
      form->Editor->document()->undo();
      Settle();
    };
    rows.push_back(row);
  }
  {
    Row row;
    row.Name = "object search to last line " + size;
    row.Path = mission;
    row.Before = [&world](TEditForm* form) {
      form->Editor->moveCursor(QTextCursor::Start);
      world.frame->State().SearchText = ".EndMission";
      world.frame->State().SearchLine = tolvane::NoSearchLine;
      Settle();
    };
    row.Run = [](TEditForm* form) { form->EditorKeyDown(Qt::Key_F4, Qt::NoModifier); };
    row.After = [&world](TEditForm* form) {
      const int last = form->Editor->document()->lastBlock().previous().blockNumber();
      if (world.frame->State().SearchLine != last) Fail("the object search did not stop at the last line");
      form->Search().FindDialog1()->close();
    };
    rows.push_back(row);
  }
  {
    Row row;
    row.Name = "verify " + size;
    row.Path = mission;
    row.Run = [](TEditForm* form) { form->Checker1->trigger(); };
    row.After = [&world](TEditForm*) {
      if (world.LastMessage() != "Mission Appears To Be Ok !!") Fail("Verify: " + world.LastMessage().toStdString());
    };
    rows.push_back(row);
  }
  {
    Row row;
    row.Name = "renumber " + size;
    row.Path = renumbered;
    row.Before = [&world](TEditForm*) { world.dialogs.clear(); };
    row.Run = [](TEditForm* form) { form->TagIdNumberFix1->trigger(); };
    row.After = [&world](TEditForm* form) {
      if (!world.dialogs.shown.empty() || !form->Editor->document()->isModified())
        Fail("renumbering changed nothing: " + world.LastMessage().toStdString());
      form->Editor->document()->undo();
      Settle();
    };
    rows.push_back(row);
  }
  const std::string only = argc > 4 ? argv[4] : "";
  for (const Row& row : rows)
    if (row.Name.compare(0, only.size(), only) == 0) RunRow(world, row, runs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "start" || mode == "start-bare") return Start(argc, argv, mode == "start-bare");
  if (mode == "rows" && (argc == 4 || argc == 5)) return Rows(argc, argv);
  std::fprintf(stderr, "usage: editor_bench start | start-bare | rows LINES RUNS [ROW]\n");
  return 2;
}
