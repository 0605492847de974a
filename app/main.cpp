// The program: the frame with its tool windows, then the message loop until
// the frame closes.

#include <QApplication>

#include "frame_window.h"
#include "program_icon.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tolvane");
  // Also the icon of the messages shown before the frame is on the screen.
  QApplication::setWindowIcon(tolvane::ProgramIcon());

  tolvane::TFrameForm FrameForm;
  FrameForm.show();
  return application.exec();
}
