#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

// Deterministic random numbers for the simulator. The engine's sequence is fixed by
// the C++ standard; the distributions are our own, because the standard ones may
// differ between library implementations and the same seed must give the same logs
// everywhere.
class Random {
 public:
  explicit Random(uint64_t seed) : engine_(seed) {}

  uint64_t Next() { return engine_(); }
  // Uniform in [lo, hi] (inclusive), by rejection, so no value is favoured.
  int64_t Between(int64_t lo, int64_t hi);
  // True with the given chance in percent.
  bool Percent(int percent) { return Between(0, 99) < percent; }
  // An index into `weights`, each chosen in proportion to its (positive) weight.
  std::size_t Weighted(const std::vector<int>& weights);

 private:
  std::mt19937_64 engine_;
};

// A well-spread seed derived from a seed and a salt (splitmix64 finaliser), so each
// simulated day has its own stream that does not depend on the other days.
uint64_t MixSeed(uint64_t seed, uint64_t salt);
