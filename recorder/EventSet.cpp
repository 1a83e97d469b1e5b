#include "recorder/EventSet.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

EventSet::EventSet()
    : epoll_(::epoll_create1(EPOLL_CLOEXEC)), wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  Add(wake_);
}

EventSet::~EventSet() {
  if (wake_ >= 0) ::close(wake_);
  if (epoll_ >= 0) ::close(epoll_);
}

void EventSet::Add(int fd) {
  if (epoll_ < 0 || fd < 0) return;
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = fd;
  ::epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &event);
}

void EventSet::Wake() {
  const uint64_t one = 1;
  if (wake_ < 0) return;
  // A full counter already wakes the reader, so a failed write loses nothing.
  [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

bool EventSet::TakeWake() {
  uint64_t count = 0;
  return wake_ >= 0 && ::read(wake_, &count, sizeof count) == sizeof count && count > 0;
}
