#include "host/toolkit/SimulateTool.h"

#include <filesystem>
#include <optional>

#include "framework/core/Clock.h"
#include "framework/core/Paths.h"
#include "host/toolkit/ActivitySimulator.h"
#include "host/toolkit/CommandLine.h"
#include "host/toolkit/LocalTime.h"
#include "host/toolkit/LogWriter.h"
#include "host/toolkit/SampleHome.h"

namespace {

// About a gigabyte of logs; more is surely a typing error.
constexpr int64_t kMaxBlocks = 10'000'000;

int UsageError(std::ostream& err, const std::string& message) {
  err << "taskmeter-simulate: " << message << "\n\n" << SimulateUsage();
  return 2;
}

struct Request {
  SimulationSettings settings;
  std::string dataFolder;
  std::string sampleHome;
  bool overwrite = false;
};

// Fills `request` from the parsed options; an error message when one is invalid.
std::optional<std::string> ReadOptions(const CommandLine& cl, Request& request) {
  SimulationSettings& s = request.settings;
  if (auto v = cl.Value("days")) {
    const auto days = ParseInteger(*v, 1, 3660);
    if (!days) return "--days needs a whole number from 1 to 3660";
    s.days = static_cast<int>(*days);
  }
  if (auto v = cl.Value("switches-per-day")) {
    const auto switches = ParseInteger(*v, 3, 100000);
    if (!switches) return "--switches-per-day needs a whole number from 3 to 100000";
    s.switchesPerDay = static_cast<int>(*switches);
  }
  if (auto v = cl.Value("seed")) {
    const auto seed = ParseUnsigned(*v);
    if (!seed) return "--seed needs a whole number from 0 to 18446744073709551615";
    s.seed = *seed;
  }
  s.now = ClockNow();
  if (auto v = cl.Value("now")) {
    const auto now = ParseDateTime(*v);
    if (!now) return "--now needs a local time \"YYYY-MM-DD hh:mm:ss\"";
    s.now = *now;
  }
  request.sampleHome = cl.Value("sample-home").value_or("");
  request.dataFolder = cl.Value("data").value_or("");
  if (request.dataFolder.empty() && !request.sampleHome.empty()) {
    request.dataFolder = (std::filesystem::path(request.sampleHome) / "data").string();
  }
  if (request.dataFolder.empty()) return "--data DIR (or --sample-home DIR) is needed";
  request.overwrite = cl.Has("overwrite");
  if (static_cast<int64_t>(s.days) * s.switchesPerDay > kMaxBlocks) {
    return "--days times --switches-per-day may be at most " + std::to_string(kMaxBlocks);
  }
  return std::nullopt;
}

}  // namespace

std::string SimulateUsage() {
  return "Usage: taskmeter-simulate --data DIR [options]\n"
         "       taskmeter-simulate --sample-home DIR [options]\n"
         "Writes activity logs as the tracker records them: one file YYYY-MM-DD.log a day\n"
         "for the last N days up to now, in working hours, with pauses.\n"
         "\n"
         "  --data DIR              folder for the logs (default with --sample-home: DIR/data)\n"
         "  --sample-home DIR       also write DIR/options (a sample group tree, preferences\n"
         "                          that point at the logs, predefined groups)\n"
         "  --days N                days to write, today included (default 14)\n"
         "  --switches-per-day N    application switches on a full working day (default 120)\n"
         "  --seed S                the same seed gives the same files (default 1)\n"
         "  --now \"YYYY-MM-DD hh:mm:ss\"  local time to simulate up to (default: the clock)\n"
         "  --overwrite             replace files that exist (otherwise nothing is written)\n"
         "  --help                  show this text\n";
}

int RunSimulateTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CommandLine cl({{"data"},
                  {"sample-home"},
                  {"days"},
                  {"switches-per-day"},
                  {"seed"},
                  {"now"},
                  {"overwrite", false},
                  {"help", false}});
  if (!cl.Parse(args)) return UsageError(err, cl.Error());
  if (cl.Has("help")) {
    out << SimulateUsage();
    return 0;
  }
  Request request;
  if (const auto problem = ReadOptions(cl, request)) return UsageError(err, *problem);

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
