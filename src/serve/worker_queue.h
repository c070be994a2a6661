#pragma once
// The server's connections wait for a fixed number of workers in a bounded queue. When the
// queue is full the connection is still read, on the accepting thread, but only to answer 503
// with Retry-After (`Overloaded()` is true while it is handled), so a flood costs no rendering
// and no unbounded memory.
#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace linnet::serve {

class WorkerQueue : public httplib::TaskQueue {
 public:
  WorkerQueue(std::size_t workers, std::size_t queueLimit);
  ~WorkerQueue() override;
  WorkerQueue(const WorkerQueue&) = delete;
  WorkerQueue& operator=(const WorkerQueue&) = delete;

  void enqueue(std::function<void()> fn) override;
  void shutdown() override;

  // True on a thread answering a connection the queue had no room for.
  static bool Overloaded();

 private:
  void Work();

  std::size_t queueLimit_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> queue_;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace linnet::serve
