#pragma once
// The program's own icon, drawn as a scalable picture: the frame, the
// document windows, the tool windows and the message boxes carry it.

#include <QIcon>

namespace tolvane {

QIcon ProgramIcon();

}  // namespace tolvane
