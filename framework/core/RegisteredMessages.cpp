#include "framework/core/RegisteredMessages.h"

#include <map>
#include <mutex>
#include <string>

namespace {

struct MessageTable {
  std::mutex mutex;
  std::map<std::string, unsigned, std::less<>> numbers;
};

// Lives in the shared core library, so host and modules see one table.
MessageTable& Table() {
  static MessageTable table;
  return table;
}

}  // namespace

unsigned RegisterWindowMessageA(std::string_view name) {
  if (name.empty()) return 0;
  MessageTable& table = Table();
  std::lock_guard lock(table.mutex);
  if (auto it = table.numbers.find(name); it != table.numbers.end()) return it->second;
  const unsigned next = kFirstRegisteredMessage + static_cast<unsigned>(table.numbers.size());
  if (next > kLastRegisteredMessage) return 0;  // the range is used up: report failure
  table.numbers.emplace(std::string(name), next);
  return next;
}
