// The real varnok-server started on a free port of 127.0.0.1 with a
// temporary data folder, and plain HTTP requests to it over a socket.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace varnok::test {

struct HttpResult {
  int status = 0;  // 0 when no reply came
  std::string body;
  bool closed = false;  // the server closed the connection
};

class ServerProcess {
 public:
  // Starts the server on `data_folder` (made when missing) with extra arguments.
  explicit ServerProcess(std::string data_folder, std::vector<std::string> extra = {});
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  bool Running() const { return port_ != 0; }
  int port() const { return port_; }
  pid_t pid() const { return pid_; }
  const std::string& data_folder() const { return data_folder_; }

  // One request with a body on a fresh connection.
  HttpResult Post(const std::string& path, const std::string& body,
                  const std::vector<std::string>& headers = {}) const;
  HttpResult Get(const std::string& path) const;
  // Raw bytes sent as they are; reads the reply until the server closes or
  // `timeout_ms` passes.
  HttpResult Raw(const std::string& bytes, int timeout_ms = 5000) const;

  void Kill(int signal);  // sends the signal and waits for the process
  // Runs "varnok-server admin --data FOLDER ARGS..." and gives its exit status.
  int Admin(const std::vector<std::string>& args) const;

 private:
  std::string data_folder_;
  std::vector<std::string> extra_;
  pid_t pid_ = 0;
  int port_ = 0;
};

// A fresh temporary folder (removed by the caller with RemoveTree).
std::string MakeTempFolder();
void RemoveTree(const std::string& folder);

// A socket connected to 127.0.0.1:port, or -1; with `source` (another
// loopback address such as "127.0.0.2") it comes from there.
int Connect(int port, const char* source = nullptr);
// Sends all of `bytes`; false when the connection broke.
bool SendAll(int fd, const std::string& bytes);
// Reads `count` HTTP replies that come one after the other on a connection.
std::vector<HttpResult> ReadReplies(int fd, int count, int timeout_ms);
// Reads one HTTP reply from a connected socket.
HttpResult ReadReply(int fd, int timeout_ms);

std::string ServerBinary();

}  // namespace varnok::test
