#pragma once
// tolvane-lsp: the mission verifier as a Language Server Protocol server
// (JSON-RPC 2.0 over a pair of descriptors, LSP 3.17, full text sync).
//
// Two threads. The reading thread takes one message at a time and answers at
// once what needs no verification (initialize, hover, shutdown, errors); it
// only stores the text of an opened or changed document. The verifying
// thread verifies the latest text of a document once it has stood still for
// the debounce time, with a MissionState of its own; a result for a version
// that has been replaced meanwhile is dropped (cancelled by version), so a
// long verification of a large document never holds up other requests.
// Document symbols and definitions need the verification of the current
// text: such a request waits, without holding the reading thread, until it
// is there.

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "document.h"
#include "answers.h"
#include "verifier_environment.h"

namespace tolvane::lsp {

class Server {
 public:
  Server(int input, int output);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Serves until "exit" or the end of the input; the process exit status:
  // 0 after "shutdown", 1 otherwise.
  int Run();

  std::chrono::milliseconds debounce{200};

 private:
  struct OpenDocument {
    int version = 0;
    std::shared_ptr<const Document> document;
    std::shared_ptr<const Analysis> analysis;  // of some version, perhaps not the current one
    bool pending = false;                      // the current version awaits verification
    std::chrono::steady_clock::time_point due;
    std::vector<Json> waiting;  // requests that need the current version's analysis
  };

  void Handle(Json& message);
  void HandleRequest(const Json& id, const std::string& method, const Json& params);
  void HandleNotification(const std::string& method, Json& params);
  void Initialize(const Json& id, const Json& params);
  void Store(const std::string& uri, int version, std::shared_ptr<const Document> document,
             std::chrono::milliseconds delay);
  // Answers a request that needs the analysis, now or once it is there.
  void AnswerOrWait(const Json& request);
  void Answer(const Json& request, const OpenDocument* open);

  void Send(const Json& message);
  void Respond(const Json& id, Json result);
  void RespondError(const Json& id, int code, const std::string& message);
  void Notify(const std::string& method, Json params);
  void Log(int type, const std::string& message);

  void VerifyLoop();

  int input_;
  int output_;
  std::mutex writeMutex_;

  std::mutex mutex_;  // guards everything below
  std::condition_variable wake_;
  std::map<std::string, OpenDocument> documents_;
  std::shared_ptr<const MissionFolderEnvironment> environment_;
  bool stopping_ = false;
  bool initialized_ = false;
  bool shutdown_ = false;
  std::thread verifier_;
};

}  // namespace tolvane::lsp
