#include "recorder/x11/X11IdleAlarms.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "recorder/x11/X11Reply.h"

namespace {

xcb_sync_int64_t SyncValue(int64_t value) {
  xcb_sync_int64_t result;
  result.hi = static_cast<int32_t>(value >> 32);
  result.lo = static_cast<uint32_t>(value & 0xFFFFFFFFu);
  return result;
}

int64_t FromSyncValue(const xcb_sync_int64_t& value) {
  return (static_cast<int64_t>(value.hi) << 32) | value.lo;
}

// The counters are read by hand: libxcb's iterator misplaces every name after the first
// whose length is not a multiple of four. Each entry is a counter id, an eight-byte
// resolution, a two-byte name length and the name, padded to four bytes.
uint32_t FindSystemCounter(const xcb_sync_list_system_counters_reply_t& reply,
                           const std::string& wanted) {
  const auto* entry = reinterpret_cast<const uint8_t*>(&reply + 1);
  const uint8_t* end = entry + static_cast<size_t>(reply.length) * 4;
  for (uint32_t i = 0; i < reply.counters_len && entry + 14 <= end; ++i) {
    uint32_t counter = 0;
    uint16_t nameLength = 0;
    std::memcpy(&counter, entry, sizeof counter);
    std::memcpy(&nameLength, entry + 12, sizeof nameLength);
    if (entry + 14 + nameLength > end) break;
    if (std::string(reinterpret_cast<const char*>(entry + 14), nameLength) == wanted) {
      return counter;
    }
    entry += (14 + nameLength + 3) & ~size_t{3};
  }
  return 0;
}

}  // namespace

X11IdleAlarms::X11IdleAlarms(xcb_connection_t* connection) : connection_(connection) {
  const xcb_query_extension_reply_t* sync = xcb_get_extension_data(connection_, &xcb_sync_id);
  if (sync == nullptr || !sync->present) return;
  Reply<xcb_sync_initialize_reply_t> version(
      xcb_sync_initialize_reply(connection_, xcb_sync_initialize(connection_, 3, 1), nullptr));
  Reply<xcb_sync_list_system_counters_reply_t> counters(xcb_sync_list_system_counters_reply(
      connection_, xcb_sync_list_system_counters(connection_), nullptr));
  if (!version || !counters) return;
  eventBase_ = sync->first_event;
  counter_ = FindSystemCounter(*counters, "IDLETIME");
}

X11IdleAlarms::~X11IdleAlarms() = default;  // the alarms go with the connection

void X11IdleAlarms::Watch(std::optional<int64_t> thresholdMilliseconds) {
  if (thresholdMilliseconds == threshold_) return;
  Drop();
  threshold_ = thresholdMilliseconds;
  if (!threshold_ || counter_ == 0) return;
  Set(idleAlarm_, *threshold_, true);
  xcb_flush(connection_);
}

std::optional<X11IdleAlarms::Change> X11IdleAlarms::Handle(const xcb_generic_event_t& event) {
  if (counter_ == 0 || !threshold_ ||
      (event.response_type & 0x7F) != eventBase_ + XCB_SYNC_ALARM_NOTIFY) {
    return std::nullopt;
  }
  const auto& notify = reinterpret_cast<const xcb_sync_alarm_notify_event_t&>(event);
  const int64_t counter = FromSyncValue(notify.counter_value);
  if (notify.alarm == idleAlarm_ && !idle_) {
    idle_ = true;
    // Any input from now on takes the counter below the threshold again.
    Set(activeAlarm_, *threshold_ - 1, false);
    return Change{true, counter};
  }
  if (notify.alarm == activeAlarm_ && idle_) {
    idle_ = false;
    Set(idleAlarm_, *threshold_, true);
    return Change{false, counter};
  }
  return std::nullopt;
}

void X11IdleAlarms::Set(xcb_sync_alarm_t& alarm, int64_t value, bool whenAbove) {
  const uint32_t mask = XCB_SYNC_CA_COUNTER | XCB_SYNC_CA_VALUE_TYPE | XCB_SYNC_CA_VALUE |
                        XCB_SYNC_CA_TEST_TYPE | XCB_SYNC_CA_DELTA | XCB_SYNC_CA_EVENTS;
  const auto fill = [&](auto& values) {
    values.counter = counter_;
    values.valueType = XCB_SYNC_VALUETYPE_ABSOLUTE;
    values.value = SyncValue(value);
    values.testType =
        whenAbove ? XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON : XCB_SYNC_TESTTYPE_NEGATIVE_COMPARISON;
    values.delta = SyncValue(0);  // fires once, then waits to be changed
    values.events = 1;
  };
  if (alarm == 0) {
    xcb_sync_create_alarm_value_list_t values{};
    fill(values);
    alarm = xcb_generate_id(connection_);
    xcb_sync_create_alarm_aux(connection_, alarm, mask, &values);
  } else {
    xcb_sync_change_alarm_value_list_t values{};
    fill(values);
    xcb_sync_change_alarm_aux(connection_, alarm, mask, &values);  // armed again
  }
}

void X11IdleAlarms::Drop() {
  for (uint32_t* alarm : {&idleAlarm_, &activeAlarm_}) {
    if (*alarm != 0) xcb_sync_destroy_alarm(connection_, *alarm);
    *alarm = 0;
  }
  idle_ = false;
}
