#pragma once
// A service on a free loopback port for one test suite: routes registered as `linnet serve`
// registers them, listening on a thread of its own, stopped and joined at the end.
#include <httplib.h>

#include <memory>
#include <string>
#include <thread>

#include "serve/routes.h"
#include "serve/worker_queue.h"

namespace linnet::testing {

class RunningServer {
 public:
  explicit RunningServer(serve::ServeOptions options = {}) : options_(std::move(options)) {
    server_.new_task_queue = [this] { return new serve::WorkerQueue(options_.threads, options_.queueLimit); };
    serve::RegisterRoutes(server_, options_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) {
      std::this_thread::yield();
    }
  }
  ~RunningServer() {
    server_.stop();
    thread_.join();
  }
  RunningServer(const RunningServer&) = delete;
  RunningServer& operator=(const RunningServer&) = delete;

  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] httplib::Client Client() const { return httplib::Client("127.0.0.1", port_); }

 private:
  serve::ServeOptions options_;
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace linnet::testing
