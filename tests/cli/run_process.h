#pragma once
// Runs a program as a child process and collects its exit status, standard
// output and standard error, for the tests of tolvane-verify. Also a few file
// helpers: a scratch folder per test and whole-file reads and writes.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace testproc {

struct Outcome {
  int status = -1;  // exit status; -1 when the child did not exit normally
  std::string out;
  std::string err;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvane-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// How a child runs beyond its arguments.
struct RunOptions {
  std::string workDir;                // its current folder, when not empty
  const std::string* input = nullptr;  // delivered through a pipe on its standard input
  std::string inputPath;               // or its standard input opened from this file
  std::string outputPath;              // its standard output goes here instead of being collected
  bool closeOutput = false;            // its standard output closed
  std::uint64_t memoryLimit = 0;       // bytes of address space it may use, 0 for no limit
};

// Runs program with the arguments. Output goes through files in scratch, so
// a large output can never block.
inline Outcome Run(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& scratch, const RunOptions& options) {
  Outcome outcome;
  const std::string outPath = scratch + "/.stdout";
  const std::string errPath = scratch + "/.stderr";
  const std::string* input = options.input;
  int inputPipe[2] = {-1, -1};
  if (input != nullptr && ::pipe(inputPipe) != 0) return outcome;
  const pid_t child = ::fork();
  if (child == 0) {
    if (input != nullptr) {
      ::dup2(inputPipe[0], 0);
      ::close(inputPipe[0]);
      ::close(inputPipe[1]);
    } else if (!options.inputPath.empty()) {
      const int in = ::open(options.inputPath.c_str(), O_RDONLY);
      if (in < 0) ::_exit(126);
      ::dup2(in, 0);
      ::close(in);
    }
    const std::string& outTarget = options.outputPath.empty() ? outPath : options.outputPath;
    const int out = ::open(outTarget.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0) ::_exit(126);
    ::dup2(out, 1);
    ::dup2(err, 2);
    if (options.closeOutput) ::close(1);
    if (!options.workDir.empty() && ::chdir(options.workDir.c_str()) != 0) ::_exit(126);
    if (options.memoryLimit != 0) {
      const rlimit limit{options.memoryLimit, options.memoryLimit};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(126);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  if (input != nullptr) {
    // A child that stops reading early must not end the test process.
    ::signal(SIGPIPE, SIG_IGN);
    ::close(inputPipe[0]);
    std::size_t written = 0;
    while (child > 0 && written < input->size()) {
      const ssize_t n = ::write(inputPipe[1], input->data() + written, input->size() - written);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    ::close(inputPipe[1]);
  }
  if (child < 0) return outcome;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return outcome;
  }
  if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  outcome.out = ReadFile(outPath);
  outcome.err = ReadFile(errPath);
  ::unlink(outPath.c_str());
  ::unlink(errPath.c_str());
  return outcome;
}

inline Outcome Run(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& scratch, const std::string& workDir = "", const std::string* input = nullptr) {
  RunOptions options;
  options.workDir = workDir;
  options.input = input;
  return Run(program, arguments, scratch, options);
}

// The lines of a text (LF ends), without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace testproc
