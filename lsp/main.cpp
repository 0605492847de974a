// tolvane-lsp: the mission verifier for any editor that speaks the Language
// Server Protocol, over standard input and output.

#include <signal.h>
#include <unistd.h>

#include "server.h"

int main() {
  // A client that has gone away makes failed writes, not the end of the server.
  ::signal(SIGPIPE, SIG_IGN);
  int status = 1;
  {
    tolvane::lsp::Server server(STDIN_FILENO, STDOUT_FILENO);
    status = server.Run();
  }
  return status;
}
