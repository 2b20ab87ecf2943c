#include "server_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace varnok::test {

std::string ServerBinary() {
  const char* from_env = std::getenv("VARNOK_SERVER_BINARY");
  return from_env ? from_env : VARNOK_SERVER_BINARY;
}

std::string MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "varnok-server-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  return made ? std::string(made) : std::string();
}

void RemoveTree(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

ServerProcess::ServerProcess(std::string data_folder, std::vector<std::string> extra)
    : data_folder_(std::move(data_folder)), extra_(std::move(extra)) {
  // The same tests on PostgreSQL: scripts/test runs them inside pg_virtualenv.
  if (const char* database = std::getenv("VARNOK_TEST_SERVER_DATABASE")) {
    extra_.push_back(std::string("--database=") + database);
  }
  int out[2];
  if (pipe(out) != 0) return;
  const std::string binary = ServerBinary();
  std::vector<std::string> args = {binary, "--port", "0", "--listen", "127.0.0.1", "--data", data_folder_};
  for (const std::string& e : extra_) args.push_back(e);
  pid_ = fork();
  if (pid_ == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  // The first line names the port: "varnok-server listening on http://127.0.0.1:PORT/ ...".
  std::string line;
  pollfd p{out[0], POLLIN, 0};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    if (poll(&p, 1, 200) > 0) {
      char c[256];
      const ssize_t n = read(out[0], c, sizeof c);
      if (n <= 0) break;
      line.append(c, static_cast<std::size_t>(n));
    }
  }
  close(out[0]);
  const std::size_t at = line.find("127.0.0.1:");
  if (at != std::string::npos) port_ = std::atoi(line.c_str() + at + 10);
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) Kill(SIGTERM);
}

void ServerProcess::Kill(int signal) {
  if (pid_ <= 0) return;
  kill(pid_, signal);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = 0;
  port_ = 0;
}

int ServerProcess::Admin(const std::vector<std::string>& args) const {
  std::vector<std::string> all = {ServerBinary(), "admin", "--data", data_folder_};
  for (const std::string& e : extra_) {
    if (e.rfind("--database", 0) == 0) all.push_back(e);
  }
  for (const std::string& a : args) all.push_back(a);
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(all[0].c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Connect(int port, const char* source) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  if (source) {
    sockaddr_in from{};
    from.sin_family = AF_INET;
    inet_pton(AF_INET, source, &from.sin_addr);
    if (bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0) {
      close(fd);
      return -1;
    }
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

HttpResult ReadReply(int fd, int timeout_ms) {
  HttpResult result;
  std::string data;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  std::size_t header_end = std::string::npos;
  long length = -1;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (poll(&p, 1, static_cast<int>(std::max<long>(1, left.count()))) <= 0) break;
    char buffer[65536];
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) {
      result.closed = true;
      break;
    }
    data.append(buffer, static_cast<std::size_t>(n));
    if (header_end == std::string::npos) {
      header_end = data.find("\r\n\r\n");
      if (header_end != std::string::npos) {
        std::string head = data.substr(0, header_end);
        for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::size_t at = head.find("content-length:");
        if (at != std::string::npos) length = std::atol(head.c_str() + at + 15);
      }
    }
    if (header_end != std::string::npos && length >= 0 &&
        data.size() >= header_end + 4 + static_cast<std::size_t>(length)) {
      break;
    }
  }
  if (data.rfind("HTTP/1.", 0) == 0 && data.size() > 12) result.status = std::atoi(data.c_str() + 9);
  if (header_end != std::string::npos) result.body = data.substr(header_end + 4);
  return result;
}

bool SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

std::vector<HttpResult> ReadReplies(int fd, int count, int timeout_ms) {
  std::vector<HttpResult> replies;
  std::string data;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  bool closed = false;
  while (static_cast<int>(replies.size()) < count) {
    // Every whole reply at the front of what has come.
    const std::size_t head_end = data.find("\r\n\r\n");
    if (head_end != std::string::npos) {
      std::string head = data.substr(0, head_end);
      for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      const std::size_t at = head.find("content-length:");
      const std::size_t length = at == std::string::npos ? 0 : std::strtoul(head.c_str() + at + 15, nullptr, 10);
      if (data.size() >= head_end + 4 + length) {
        HttpResult reply;
        if (data.rfind("HTTP/1.", 0) == 0 && data.size() > 12) reply.status = std::atoi(data.c_str() + 9);
        reply.body = data.substr(head_end + 4, length);
        data.erase(0, head_end + 4 + length);
        replies.push_back(reply);
        continue;
      }
    }
    if (closed || std::chrono::steady_clock::now() >= deadline) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    char buffer[65536];
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) closed = true;
    else data.append(buffer, static_cast<std::size_t>(n));
  }
  if (closed && !replies.empty()) replies.back().closed = true;
  return replies;
}

HttpResult ServerProcess::Raw(const std::string& bytes, int timeout_ms) const {
  const int fd = Connect(port_);
  if (fd < 0) return {};
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  HttpResult result = ReadReply(fd, timeout_ms);
  close(fd);
  return result;
}

HttpResult ServerProcess::Post(const std::string& path, const std::string& body,
                               const std::vector<std::string>& headers) const {
  std::ostringstream request;
  request << "POST " << path << " HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: ZubSpecAccess\r\n"
          << "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " << body.size() << "\r\n";
  for (const std::string& h : headers) request << h << "\r\n";
  request << "Connection: close\r\n\r\n" << body;
  return Raw(request.str());
}

HttpResult ServerProcess::Get(const std::string& path) const {
  return Raw("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
}

}  // namespace varnok::test
