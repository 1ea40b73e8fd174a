// Threads and the counting semaphore of the request channel.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace corvane {

// A counting semaphore: Wait blocks until the count is above 0, then takes one.
class Semaphore {
 public:
  explicit Semaphore(int count = 0) : count_(count) {}
  void Wait() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return count_ > 0; });
    --count_;
  }
  // Notifies while holding the lock: the waiter may destroy the semaphore as soon as it can see
  // the count, so nothing may touch it after the lock is released.
  void Signal() {
    std::lock_guard lock(mutex_);
    ++count_;
    cv_.notify_one();
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  int count_;
};

// Starts `body` on a thread of its own that runs to its end unattended.
inline void StartDetachedThread(std::function<void()> body) { std::thread(std::move(body)).detach(); }

}  // namespace corvane
