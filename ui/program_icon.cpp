#include "program_icon.h"

// The picture lives in this library's resources, which a static library
// must register before the first use.
static void RegisterProgramResources() { Q_INIT_RESOURCE(tolvane); }

namespace tolvane {

QIcon ProgramIcon() {
  static const bool registered = (RegisterProgramResources(), true);
  Q_UNUSED(registered);
  return QIcon(QStringLiteral(":/tolvane/tolvane.svg"));
}

}  // namespace tolvane
