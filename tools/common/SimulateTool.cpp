#include "tools/common/SimulateTool.h"

#include <filesystem>
#include <memory>
#include <optional>

#include "framework/core/Clock.h"
#include "framework/core/Paths.h"
#include "tools/common/ActivitySimulator.h"
#include "tools/common/LocalTime.h"
#include "tools/common/LogWriter.h"
#include "tools/common/SampleHome.h"
#include "tools/common/ToolOptions.h"

namespace {

// About a gigabyte of logs; more is surely a typing error.
constexpr int64_t kMaxBlocks = 10'000'000;

struct RawOptions {
  std::string data, sampleHome, days, switches, seed, now, machine;
  bool overwrite = false;
};

struct Request {
  SimulationSettings settings;
  std::string dataFolder;
  std::string sampleHome;
  bool overwrite = false;
};

ToolAppPtr SimulateApp(RawOptions& raw) {
  auto app = MakeToolApp(
      "taskmeter-simulate",
      "Writes activity logs as the tracker records them: one file YYYY-MM-DD.log a day\n"
      "for the last N days up to now, in working hours, with pauses. Needs --data DIR\n"
      "or --sample-home DIR.");
  AddValueOption(*app, "--data", raw.data, "DIR",
                 "folder for the logs (default with --sample-home: DIR/data)");
  AddValueOption(*app, "--sample-home", raw.sampleHome, "DIR",
                 "also write DIR/options (a sample group tree, preferences that point at "
                 "the logs, predefined groups)");
  AddValueOption(*app, "--days", raw.days, "N", "days to write, today included (default 14)");
  AddValueOption(*app, "--switches-per-day", raw.switches, "N",
                 "application switches on a full working day (default 120)");
  AddValueOption(*app, "--seed", raw.seed, "S", "the same seed gives the same files (default 1)");
  AddValueOption(*app, "--now", raw.now, "TIME",
                 "local time \"YYYY-MM-DD hh:mm:ss\" to simulate up to (default: the clock)");
  AddValueOption(*app, "--machine", raw.machine, "NAME",
                 "a computer of the same user: its own working times and programs");
  AddFlagOption(*app, "--overwrite", raw.overwrite,
                "replace files that exist (otherwise nothing is written)");
  return app;
}

// Fills `request` from the parsed options; an error message when one is invalid.
std::optional<std::string> ReadOptions(const ToolApp& app, const RawOptions& raw,
                                       Request& request) {
  SimulationSettings& s = request.settings;
  if (Given(app, "--days")) {
    const auto days = ParseInteger(raw.days, 1, 3660);
    if (!days) return "--days needs a whole number from 1 to 3660";
    s.days = static_cast<int>(*days);
  }
  if (Given(app, "--switches-per-day")) {
    const auto switches = ParseInteger(raw.switches, 3, 100000);
    if (!switches) return "--switches-per-day needs a whole number from 3 to 100000";
    s.switchesPerDay = static_cast<int>(*switches);
  }
  if (Given(app, "--seed")) {
    const auto seed = ParseUnsigned(raw.seed);
    if (!seed) return "--seed needs a whole number from 0 to 18446744073709551615";
    s.seed = *seed;
  }
  s.now = ClockNow();
  if (Given(app, "--now")) {
    const auto now = ParseDateTime(raw.now);
    if (!now) return "--now needs a local time \"YYYY-MM-DD hh:mm:ss\"";
    s.now = *now;
  }
  if (Given(app, "--machine")) {
    if (raw.machine.empty()) return "--machine needs a name";
    s.machine = raw.machine;
  }
  request.sampleHome = raw.sampleHome;
  request.dataFolder = raw.data;
  if (request.dataFolder.empty() && !request.sampleHome.empty()) {
    request.dataFolder = (std::filesystem::path(request.sampleHome) / "data").string();
  }
  if (request.dataFolder.empty()) return "--data DIR (or --sample-home DIR) is needed";
  request.overwrite = raw.overwrite;
  if (static_cast<int64_t>(s.days) * s.switchesPerDay > kMaxBlocks) {
    return "--days times --switches-per-day may be at most " + std::to_string(kMaxBlocks);
  }
  return std::nullopt;
}

}  // namespace

std::string SimulateUsage() {
  RawOptions raw;
  return ToolHelp(*SimulateApp(raw));
}

int RunSimulateTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RawOptions raw;
  const auto app = SimulateApp(raw);
  if (const auto status = ParseToolArguments(*app, args, out, err)) return *status;
  Request request;
  if (const auto problem = ReadOptions(*app, raw, request)) {
    return ToolUsageError(*app, err, *problem);
  }

  const std::string dataFolder = AbsolutePath(request.dataFolder);
  const ActivitySimulator simulator(request.settings);
  const std::vector<CivilTime> dates = simulator.Dates();
  LogFolderWriter writer(dataFolder);
  std::string error;
  const bool written =
      writer.Prepare(dates, request.overwrite, error) &&
      (request.sampleHome.empty() ||
       WriteSampleOptions(request.sampleHome, dataFolder, request.overwrite, error));
  if (!written) {
    err << "taskmeter-simulate: " << error << '\n';
    return 1;
  }
  // Day by day, so that a long run never holds more than one day in memory.
  size_t files = 0;
  size_t blocks = 0;
  for (const CivilTime& date : dates) {
    const DayLog day = simulator.SimulateDay(date);
    if (!writer.Write(day, error)) {
      err << "taskmeter-simulate: " << error << '\n';
      return 1;
    }
    files += day.blocks.empty() ? 0 : 1;
    blocks += day.blocks.size();
  }
  out << "Wrote " << files << " log files (" << blocks << " blocks) to " << dataFolder << '\n';
  if (!request.sampleHome.empty()) {
    out << "Sample home: " << AbsolutePath(request.sampleHome) << '\n';
  }
  return 0;
}
