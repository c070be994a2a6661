#include "serve/worker_queue.h"

namespace linnet::serve {

namespace {
thread_local bool tOverloaded = false;
}

WorkerQueue::WorkerQueue(std::size_t workers, std::size_t queueLimit) : queueLimit_(queueLimit) {
  for (std::size_t i = 0; i < workers; ++i) {
    workers_.emplace_back([this] { Work(); });
  }
}

WorkerQueue::~WorkerQueue() {
  shutdown();
}

bool WorkerQueue::Overloaded() {
  return tOverloaded;
}

void WorkerQueue::enqueue(std::function<void()> fn) {
  {
    const std::lock_guard lock(mutex_);
    if (queue_.size() < queueLimit_ && !stopping_) {
      queue_.push_back(std::move(fn));
      ready_.notify_one();
      return;
    }
  }
  tOverloaded = true;
  fn();
  tOverloaded = false;
}

void WorkerQueue::shutdown() {
  {
    const std::lock_guard lock(mutex_);
    if (stopping_) {
      return;
    }
    stopping_ = true;
  }
  ready_.notify_all();
  for (auto& w : workers_) {
    w.join();
  }
}

void WorkerQueue::Work() {
  for (;;) {
    std::function<void()> fn;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (queue_.empty()) {
        return;  // stopping, and every waiting connection answered
      }
      fn = std::move(queue_.front());
      queue_.pop_front();
    }
    fn();
  }
}

}  // namespace linnet::serve
