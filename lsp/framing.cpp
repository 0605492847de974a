#include "framing.h"

#include <unistd.h>

#include <cerrno>

namespace tolvane::lsp {

bool MessageReader::Fill() {
  if (position_ > 0 && position_ == buffer_.size()) {
    buffer_.clear();
    position_ = 0;
  } else if (position_ > (std::size_t(1) << 20)) {
    buffer_.erase(0, position_);
    position_ = 0;
  }
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd_, chunk, sizeof chunk);
    if (got > 0) {
      buffer_.append(chunk, static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    return false;
  }
}

bool MessageReader::ReadLine(std::string& line) {
  for (;;) {
    const std::size_t end = buffer_.find('\n', position_);
    if (end != std::string::npos) {
      line.assign(buffer_, position_, end - position_);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      position_ = end + 1;
      return true;
    }
    // A header line longer than any header is no header: keep the tail only.
    if (buffer_.size() - position_ > 65536) position_ = buffer_.size() - 1;
    if (!Fill()) return false;
  }
}

namespace {

bool IsHeaderName(const std::string& line, const char* name) {
  std::size_t i = 0;
  for (; name[i] != '\0'; ++i) {
    if (i >= line.size()) return false;
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    char n = name[i];
    if (n >= 'A' && n <= 'Z') n = static_cast<char>(n + 32);
    if (c != n) return false;
  }
  return i < line.size() && line[i] == ':';
}

}  // namespace

MessageReader::Status MessageReader::Next(std::string& body, std::string& problem) {
  body.clear();
  problem.clear();
  std::string line;
  bool sawLength = false;
  bool lengthValid = false;
  bool anyHeader = false;
  std::size_t length = 0;
  for (;;) {
    if (!ReadLine(line)) return Status::End;
    if (line.empty()) {
      if (!anyHeader) continue;  // blank lines between messages
      break;
    }
    anyHeader = true;
    if (IsHeaderName(line, "Content-Length")) {
      sawLength = true;
      std::size_t i = line.find(':') + 1;
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      std::size_t value = 0;
      std::size_t digits = 0;
      lengthValid = true;
      for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits) {
        if (value > (MaxBody * 16) / 10) lengthValid = false;
        value = value * 10 + static_cast<std::size_t>(line[i] - '0');
      }
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      if (digits == 0 || i != line.size()) lengthValid = false;
      length = value;
    }
  }
  if (!sawLength || !lengthValid) {
    problem = sawLength ? "the Content-Length header is not a number" : "the header has no Content-Length";
    return Status::Malformed;
  }
  const bool keep = length <= MaxBody;
  if (keep) body.reserve(length);
  std::size_t remaining = length;
  while (remaining > 0) {
    if (position_ == buffer_.size() && !Fill()) return Status::End;
    const std::size_t take = std::min(remaining, buffer_.size() - position_);
    if (keep) body.append(buffer_, position_, take);
    position_ += take;
    remaining -= take;
  }
  if (!keep) {
    problem = "the message is larger than " + std::to_string(MaxBody) + " bytes";
    return Status::Malformed;
  }
  return Status::Message;
}

std::string FrameMessage(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace tolvane::lsp
