#pragma once

// One descriptor that is readable while any of its sources has something to report:
// the descriptors added to it, and Wake() from code that learns of a change on Qt's own
// event loop (the session bus). A desktop that listens in several places hands this one
// to the recorder, which watches a single descriptor per desktop.
class EventSet {
 public:
  EventSet();
  ~EventSet();
  EventSet(const EventSet&) = delete;
  EventSet& operator=(const EventSet&) = delete;

  // -1 when the system refused the descriptors (nothing will ever be reported).
  int FileDescriptor() const { return epoll_; }
  void Add(int fd);
  void Wake();
  // Whether Wake was called since the last call; clears it.
  bool TakeWake();

 private:
  int epoll_ = -1;
  int wake_ = -1;
};
