#pragma once

#include <string>
#include <vector>

// The applications the simulator switches between, with how often each comes to the
// foreground and the window captions it shows. Captions name the two sample projects
// ("Apollo" and "Zephyr", in the spelling each application uses) so that title
// filters can divide an application's time between them.

enum class Project { Apollo = 0, Zephyr = 1, Other = 2 };

struct Application {
  std::string displayName;
  std::string appName;
  std::string path;
  int weight = 1;                        // relative share of switches to it
  std::vector<std::string> captions[3];  // by Project; never all empty
};

const std::vector<Application>& ApplicationMix();

// The pause blocks of the host: no program behind them, so no path.
inline const std::string kIdleDisplayName = "Idle";
inline const std::string kStopDisplayName = "Stop";
