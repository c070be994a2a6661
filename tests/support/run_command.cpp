#include "support/run_command.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace linnet::testing {

namespace {

void CloseBoth(std::array<int, 2>& fds) {
  for (int& fd : fds) {
    if (fd >= 0) {
      close(fd);
      fd = -1;
    }
  }
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& argv, const std::string& input) {
  std::array<int, 2> inPipe{-1, -1};
  std::array<int, 2> outPipe{-1, -1};
  std::array<int, 2> errPipe{-1, -1};
  if (pipe(inPipe.data()) != 0 || pipe(outPipe.data()) != 0 || pipe(errPipe.data()) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const pid_t pid = fork();
  if (pid < 0) {
    throw std::runtime_error("fork failed");
  }
  if (pid == 0) {
    dup2(inPipe[0], 0);
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    CloseBoth(inPipe);
    CloseBoth(outPipe);
    CloseBoth(errPipe);
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& a : argv) {
      args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(inPipe[0]);
  close(outPipe[1]);
  close(errPipe[1]);
  fcntl(inPipe[1], F_SETFL, O_NONBLOCK);

  CommandResult result;
  size_t written = 0;
  if (input.empty()) {
    close(inPipe[1]);
    inPipe[1] = -1;
  }
  std::array<char, 65536> buffer{};
  int openOutputs = 2;
  while (openOutputs > 0) {
    std::array<pollfd, 3> fds{{{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}, {inPipe[1], POLLOUT, 0}}};
    poll(fds.data(), inPipe[1] >= 0 ? 3 : 2, -1);
    if (inPipe[1] >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = write(inPipe[1], input.data() + written, input.size() - written);
      if (n > 0) {
        written += static_cast<size_t>(n);
      }
      if (n < 0 || written == input.size()) {
        close(inPipe[1]);
        inPipe[1] = -1;
      }
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
        const ssize_t n = read(fds[i].fd, buffer.data(), buffer.size());
        if (n > 0) {
          (i == 0 ? result.out : result.err).append(buffer.data(), static_cast<size_t>(n));
        } else {
          close(i == 0 ? outPipe[0] : errPipe[0]);
          (i == 0 ? outPipe[0] : errPipe[0]) = -1;
          --openOutputs;
        }
      }
    }
  }
  if (inPipe[1] >= 0) {
    close(inPipe[1]);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

std::string LinnetBinary() {
  return LINNET_BINARY;
}

CommandResult RunLinnet(std::vector<std::string> args, const std::string& input) {
  args.insert(args.begin(), LinnetBinary());
  return RunCommand(args, input);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SharedDir() {
  if (const char* env = std::getenv("LINNET_SHARED_DIR")) {
    return env;
  }
  return LINNET_SHARED_DIR;
}

std::string MakeTempDir() {
  std::string pattern = "/tmp/linnet-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  return pattern;
}

}  // namespace linnet::testing
