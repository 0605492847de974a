#pragma once
// The base protocol of the language server: messages framed by a header
// ("Content-Length: N", an empty line) and N bytes of JSON, on a descriptor.

#include <cstddef>
#include <string>

namespace tolvane::lsp {

class MessageReader {
 public:
  enum class Status { Message, Malformed, End };

  explicit MessageReader(int fd) : fd_(fd) {}

  // The next message's body. Malformed: a header without a usable
  // Content-Length (its header block is skipped, problem says why) or a
  // body past the bound (read and dropped); reading goes on after it. End:
  // the input has ended.
  Status Next(std::string& body, std::string& problem);

  // Bodies larger than this are dropped as malformed.
  static constexpr std::size_t MaxBody = std::size_t(1) << 30;

 private:
  bool Fill();  // reads more into the buffer; false at the end of input
  bool ReadLine(std::string& line);

  int fd_;
  std::string buffer_;
  std::size_t position_ = 0;
};

// The framed message, header and body, ready to write.
std::string FrameMessage(const std::string& body);

}  // namespace tolvane::lsp
