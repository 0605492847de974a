#include "server.h"

#include <unistd.h>

#include <cerrno>

#include "framing.h"
#include "latin1_text.h"

#ifndef TOLVANE_VERSION
#define TOLVANE_VERSION "1.2.3.1"
#endif

namespace tolvane::lsp {

namespace {

// JSON-RPC and LSP error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestCancelled = -32800;

std::string Uri(const Json& params) { return params.at("textDocument").at("uri").get<std::string>(); }

}  // namespace

Server::Server(int input, int output)
    : input_(input), output_(output), environment_(std::make_shared<MissionFolderEnvironment>()) {
  verifier_ = std::thread([this] { VerifyLoop(); });
}

Server::~Server() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  verifier_.join();
}

int Server::Run() {
  MessageReader reader(input_);
  std::string body;
  std::string problem;
  for (;;) {
    const MessageReader::Status status = reader.Next(body, problem);
    if (status == MessageReader::Status::End) break;
    if (status == MessageReader::Status::Malformed) {
      RespondError(nullptr, kParseError, "Malformed message: " + problem);
      continue;
    }
    Json message;
    try {
      message = Json::parse(body.data(), body.data() + body.size());
    } catch (const Json::exception& error) {
      RespondError(nullptr, kParseError, std::string("Parse error: ") + error.what());
      continue;
    }
    if (message.is_object() && message.value("method", "") == "exit") break;
    Handle(message);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  return shutdown_ ? 0 : 1;
}

void Server::Handle(Json& message) {
  const bool isObject = message.is_object();
  const Json id = isObject && message.contains("id") ? message["id"] : Json();
  if (!isObject || !message.contains("method") || !message["method"].is_string() ||
      (message.contains("id") && !id.is_number_integer() && !id.is_string())) {
    // A response from the client (to nothing we asked) is let pass.
    if (isObject && message.contains("id") && !message.contains("method") &&
        (message.contains("result") || message.contains("error"))) {
      return;
    }
    RespondError(id.is_number_integer() || id.is_string() ? id : Json(), kInvalidRequest, "Invalid request");
    return;
  }
  const std::string method = message["method"];
  Json none = Json::object();
  Json& params = message.contains("params") ? message["params"] : none;
  if (message.contains("id")) {
    try {
      HandleRequest(id, method, params);
    } catch (const Json::exception& error) {
      RespondError(id, kInvalidParams, std::string("Invalid params: ") + error.what());
    }
  } else {
    try {
      HandleNotification(method, params);
    } catch (const Json::exception& error) {
      Log(1, "Ignored " + method + ": " + error.what());
    }
  }
}

void Server::HandleRequest(const Json& id, const std::string& method, const Json& params) {
  bool initialized = false;
  bool shutdown = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    initialized = initialized_;
    shutdown = shutdown_;
  }
  if (method == "initialize") {
    if (initialized) return RespondError(id, kInvalidRequest, "The server is initialized already");
    return Initialize(id, params);
  }
  if (!initialized) return RespondError(id, kServerNotInitialized, "The server is not initialized");
  if (shutdown) return RespondError(id, kInvalidRequest, "The server is shutting down");
  if (method == "shutdown") {
    std::lock_guard<std::mutex> lock(mutex_);
    shutdown_ = true;
    for (auto& [uri, open] : documents_) {
      for (const Json& request : open.waiting) RespondError(request["id"], kRequestCancelled, "Shut down");
      open.waiting.clear();
    }
    Respond(id, nullptr);
    return;
  }
  if (method == "textDocument/hover") {
    const std::string uri = Uri(params);
    const int line = params.at("position").at("line");
    const int character = params.at("position").at("character");
    std::shared_ptr<const Document> document;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto open = documents_.find(uri);
      if (open != documents_.end()) document = open->second.document;
    }
    return Respond(id, document ? Hover(*document, line, character) : Json());
  }
  if (method == "textDocument/documentSymbol" || method == "textDocument/definition") {
    Uri(params);  // checked now, so a bad request is answered at once
    if (method == "textDocument/definition") params.at("position").at("line").get<int>();
    return AnswerOrWait(Json{{"id", id}, {"method", method}, {"params", params}});
  }
  RespondError(id, kMethodNotFound, "Unknown method " + method);
}

void Server::HandleNotification(const std::string& method, Json& params) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!initialized_ || shutdown_) return;
  }
  if (method == "textDocument/didOpen") {
    Json& item = params.at("textDocument");
    // The text is taken out of the message, not copied: it may be large.
    Store(item.at("uri"), item.value("version", 0),
          std::make_shared<const Document>(Utf8ToLatin1(std::move(item.at("text").get_ref<std::string&>()))),
          std::chrono::milliseconds(0));
  } else if (method == "textDocument/didChange") {
    const std::string uri = Uri(params);
    const int version = params.at("textDocument").value("version", 0);
    std::shared_ptr<const Document> current;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto open = documents_.find(uri);
      if (open == documents_.end()) return;
      current = open->second.document;
    }
    // A whole new text (what this server asks for) needs no copy of the old one.
    std::shared_ptr<Document> changed;
    for (Json& change : params.at("contentChanges")) {
      std::string text = Utf8ToLatin1(std::move(change.at("text").get_ref<std::string&>()));
      if (!change.contains("range")) {
        changed = std::make_shared<Document>(std::move(text));
        continue;
      }
      if (!changed) changed = std::make_shared<Document>(*current);
      const Json& range = change["range"];
      changed->Replace(range.at("start").at("line"), range.at("start").at("character"), range.at("end").at("line"),
                       range.at("end").at("character"), text);
    }
    if (!changed) changed = std::make_shared<Document>(*current);
    Store(uri, version, std::move(changed), debounce);
  } else if (method == "textDocument/didSave") {
    // Saved missions may be named by others: verify again as it is.
    std::lock_guard<std::mutex> lock(mutex_);
    const auto open = documents_.find(Uri(params));
    if (open == documents_.end()) return;
    open->second.pending = true;
    open->second.due = std::chrono::steady_clock::now();
    wake_.notify_all();
  } else if (method == "textDocument/didClose") {
    const std::string uri = Uri(params);
    std::vector<Json> waiting;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const auto open = documents_.find(uri);
      if (open == documents_.end()) return;
      waiting = std::move(open->second.waiting);
      documents_.erase(open);
    }
    for (const Json& request : waiting) Answer(request, nullptr);
    Notify("textDocument/publishDiagnostics", Json{{"uri", uri}, {"diagnostics", Json::array()}});
  } else if (method == "$/cancelRequest") {
    const Json id = params.at("id");
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& [uri, open] : documents_) {
      for (auto request = open.waiting.begin(); request != open.waiting.end(); ++request) {
        if ((*request)["id"] != id) continue;
        RespondError(id, kRequestCancelled, "Cancelled");
        open.waiting.erase(request);
        return;
      }
    }
  }
}

void Server::Initialize(const Json& id, const Json& params) {
  // Like tolvane-verify: the program folder is the working folder, the
  // missions folder line 2 of its Tolvane.INI, unless the client says.
  std::string programFolder = ".";
  std::string missionsFolder;
  bool missionsGiven = false;
  if (params.contains("initializationOptions") && params["initializationOptions"].is_object()) {
    const Json& options = params["initializationOptions"];
    if (options.contains("programFolder")) programFolder = options["programFolder"].get<std::string>();
    if (options.contains("missionsFolder")) {
      missionsFolder = options["missionsFolder"].get<std::string>();
      missionsGiven = true;
    }
  }
  ProgramFolderReading reading;
  auto environment =
      std::make_shared<MissionFolderEnvironment>(LoadProgramFolder(programFolder, missionsGiven ? &missionsFolder : nullptr, reading));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    environment_ = std::move(environment);
    initialized_ = true;
  }
  Json capabilities = Json::object();
  capabilities["positionEncoding"] = "utf-16";
  capabilities["textDocumentSync"] = Json{{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}};
  capabilities["documentSymbolProvider"] = true;
  capabilities["definitionProvider"] = true;
  capabilities["hoverProvider"] = true;
  Respond(id, Json{{"capabilities", capabilities}, {"serverInfo", {{"name", "tolvane-lsp"}, {"version", TOLVANE_VERSION}}}});
  if (!reading.TypeNames.Ok()) {
    Log(2, "Cannot read " + reading.TypeNamesPath + ": " + reading.TypeNames.Reason +
               ": no type names, so type name checks will fail");
  }
  if (reading.SettingsConsulted && !reading.Settings.Ok()) {
    Log(2, "Cannot read " + reading.SettingsPath + ": " + reading.Settings.Reason + ": the missions folder is empty");
  } else if (reading.MissionFolderUnusable) {
    Log(2, reading.SettingsPath + " holds no usable missions folder line: the missions folder is empty");
  }
}

void Server::Store(const std::string& uri, int version, std::shared_ptr<const Document> document,
                   std::chrono::milliseconds delay) {
  std::lock_guard<std::mutex> lock(mutex_);
  OpenDocument& open = documents_[uri];
  open.version = version;
  open.document = std::move(document);
  open.pending = true;
  open.due = std::chrono::steady_clock::now() + delay;
  wake_.notify_all();
}

void Server::AnswerOrWait(const Json& request) {
  const std::string uri = Uri(request["params"]);
  std::unique_lock<std::mutex> lock(mutex_);
  const auto open = documents_.find(uri);
  if (open == documents_.end()) {
    lock.unlock();
    return Answer(request, nullptr);
  }
  const OpenDocument& document = open->second;
  if (!document.pending && document.analysis && document.analysis->version == document.version) {
    const OpenDocument copy{document.version, document.document, document.analysis, false, {}, {}};
    lock.unlock();
    return Answer(request, &copy);
  }
  open->second.waiting.push_back(request);
}

void Server::Answer(const Json& request, const OpenDocument* open) {
  const std::string& method = request["method"].get_ref<const std::string&>();
  if (open == nullptr) return Respond(request["id"], method == "textDocument/documentSymbol" ? Json::array() : Json());
  if (method == "textDocument/documentSymbol") {
    return Respond(request["id"], DocumentSymbols(*open->analysis, *open->document));
  }
  const std::string uri = Uri(request["params"]);
  const int line = request["params"]["position"]["line"];
  Respond(request["id"], Definition(*open->analysis, *open->document, uri, line));
}

void Server::VerifyLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    // The document whose verification is due first.
    std::map<std::string, OpenDocument>::iterator next = documents_.end();
    for (auto open = documents_.begin(); open != documents_.end(); ++open) {
      if (open->second.pending && (next == documents_.end() || open->second.due < next->second.due)) next = open;
    }
    if (next == documents_.end()) {
      wake_.wait(lock);
      continue;
    }
    if (next->second.due > std::chrono::steady_clock::now()) {
      wake_.wait_until(lock, next->second.due);
      continue;
    }
    const std::string uri = next->first;
    const int version = next->second.version;
    const std::shared_ptr<const Document> document = next->second.document;
    const std::shared_ptr<const MissionFolderEnvironment> environment = environment_;
    next->second.pending = false;
    lock.unlock();
    auto analysis = std::make_shared<const Analysis>(Analyse(*document, version, *environment));
    lock.lock();
    const auto open = documents_.find(uri);
    // Closed, or changed while it was verified: this result is of no use.
    if (open == documents_.end() || open->second.version != version || open->second.pending) continue;
    open->second.analysis = analysis;
    std::vector<Json> waiting = std::move(open->second.waiting);
    open->second.waiting.clear();
    const OpenDocument copy{version, document, analysis, false, {}, {}};
    lock.unlock();
    Notify("textDocument/publishDiagnostics",
           Json{{"uri", uri}, {"version", version}, {"diagnostics", Diagnostics(*analysis, *document)}});
    for (const Json& request : waiting) Answer(request, &copy);
    lock.lock();
  }
}

void Server::Send(const Json& message) {
  const std::string framed = FrameMessage(message.dump(-1, ' ', false, Json::error_handler_t::replace));
  std::lock_guard<std::mutex> lock(writeMutex_);
  std::size_t written = 0;
  while (written < framed.size()) {
    const ssize_t n = ::write(output_, framed.data() + written, framed.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the client has gone; its input ends soon too
    written += static_cast<std::size_t>(n);
  }
}

void Server::Respond(const Json& id, Json result) {
  Send(Json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void Server::RespondError(const Json& id, int code, const std::string& message) {
  Send(Json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", Latin1ToUtf8(message)}}}});
}

void Server::Notify(const std::string& method, Json params) {
  Send(Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
}

void Server::Log(int type, const std::string& message) {
  Notify("window/logMessage", Json{{"type", type}, {"message", Latin1ToUtf8(message)}});
}

}  // namespace tolvane::lsp
