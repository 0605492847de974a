#pragma once
// A language-server client for the tests: starts tolvane-lsp as a child with
// pipes for its standard input and output, writes framed messages and reads
// the server's messages one by one. A read that sees nothing for a long time
// fails the test instead of waiting for ever.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <deque>
#include <functional>
#include <string>

namespace testlsp {

using Json = nlohmann::json;

class LspClient {
 public:
  LspClient(const std::string& program, const std::string& workDir) {
    int toServer[2];
    int fromServer[2];
    if (::pipe(toServer) != 0 || ::pipe(fromServer) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
      ::dup2(toServer[0], 0);
      ::dup2(fromServer[1], 1);
      ::close(toServer[0]);
      ::close(toServer[1]);
      ::close(fromServer[0]);
      ::close(fromServer[1]);
      const int null = ::open("/dev/null", O_WRONLY);
      if (null >= 0) ::dup2(null, 2);
      if (::chdir(workDir.c_str()) != 0) ::_exit(126);
      ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::signal(SIGPIPE, SIG_IGN);
    ::close(toServer[0]);
    ::close(fromServer[1]);
    in_ = toServer[1];
    out_ = fromServer[0];
  }
  ~LspClient() {
    if (in_ >= 0) ::close(in_);
    if (child_ > 0 && !waited_) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }
  LspClient(const LspClient&) = delete;
  LspClient& operator=(const LspClient&) = delete;

  void SendRaw(const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t n = ::write(in_, bytes.data() + written, bytes.size() - written);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      written += static_cast<std::size_t>(n);
    }
  }
  void Send(const Json& message) {
    const std::string body = message.dump();
    SendRaw("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  }
  void Notify(const std::string& method, const Json& params) {
    Send(Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }
  // Sends a request and answers its response; what comes before it is kept.
  Json Request(const std::string& method, const Json& params) {
    const int id = ++lastId_;
    Send(Json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
    return Await([id](const Json& m) { return m.contains("id") && m["id"] == id && !m.contains("method"); });
  }
  // The next diagnostics published for the uri.
  Json Diagnostics(const std::string& uri) {
    return Await([&](const Json& m) {
      return m.value("method", "") == "textDocument/publishDiagnostics" && m["params"]["uri"] == uri;
    })["params"];
  }
  // The first message, kept or new, that matches; null after a long silence.
  Json Await(const std::function<bool(const Json&)>& wanted) {
    for (auto kept = kept_.begin(); kept != kept_.end(); ++kept) {
      if (!wanted(*kept)) continue;
      Json found = *kept;
      kept_.erase(kept);
      return found;
    }
    for (;;) {
      Json message = Read();
      if (message.is_null()) return message;
      if (wanted(message)) return message;
      kept_.push_back(std::move(message));
    }
  }
  // Closes the server's input and answers its exit status.
  int Finish() {
    ::close(in_);
    in_ = -1;
    int status = 0;
    ::waitpid(child_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  bool Fill() {
    pollfd ready{out_, POLLIN, 0};
    if (::poll(&ready, 1, 60000) <= 0) {
      ADD_FAILURE() << "the server said nothing for a minute";
      return false;
    }
    char chunk[65536];
    const ssize_t got = ::read(out_, chunk, sizeof chunk);
    if (got <= 0) return false;
    buffer_.append(chunk, static_cast<std::size_t>(got));
    return true;
  }
  Json Read() {
    std::size_t headerEnd;
    while ((headerEnd = buffer_.find("\r\n\r\n")) == std::string::npos) {
      if (!Fill()) return Json();
    }
    const std::size_t length = std::stoul(buffer_.substr(buffer_.find(':') + 1, headerEnd));
    while (buffer_.size() < headerEnd + 4 + length) {
      if (!Fill()) return Json();
    }
    Json message = Json::parse(buffer_.substr(headerEnd + 4, length));
    buffer_.erase(0, headerEnd + 4 + length);
    return message;
  }

  pid_t child_ = -1;
  int in_ = -1;
  int out_ = -1;
  bool waited_ = false;
  int lastId_ = 0;
  std::string buffer_;
  std::deque<Json> kept_;
};

}  // namespace testlsp
