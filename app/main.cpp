// The program: the frame with its tool windows, the files named on the
// command line (tolvane FILE...), then the message loop until the frame
// closes.

#include <QApplication>
#include <QFileInfo>

#include "frame_window.h"
#include "program_icon.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tolvane");
  // Also the icon of the messages shown before the frame is on the screen.
  QApplication::setWindowIcon(tolvane::ProgramIcon());

  tolvane::TFrameForm FrameForm;
  FrameForm.show();
  // Files named on the command line open as the File menu's Open would
  // open them, in the order given.
  for (const QString& file : QApplication::arguments().mid(1)) FrameForm.OpenFile(QFileInfo(file).absoluteFilePath());
  return application.exec();
}
