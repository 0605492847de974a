// The program: the frame with its tool windows, then the message loop until
// the frame closes.

#include <QApplication>

#include "frame_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tolvane");

  tolvane::TFrameForm FrameForm;
  FrameForm.show();
  return application.exec();
}
