#include "tools/common/Random.h"

#include <limits>

int64_t Random::Between(int64_t lo, int64_t hi) {
  if (hi <= lo) return lo;
  const uint64_t range = static_cast<uint64_t>(hi - lo) + 1;
  if (range == 0) return static_cast<int64_t>(Next());  // the whole 64-bit range
  const uint64_t max = std::numeric_limits<uint64_t>::max();
  const uint64_t limit = max - (max % range + 1) % range;
  uint64_t draw = Next();
  while (draw > limit) draw = Next();
  return lo + static_cast<int64_t>(draw % range);
}

std::size_t Random::Weighted(const std::vector<int>& weights) {
  int64_t total = 0;
  for (const int w : weights) total += w > 0 ? w : 0;
  if (total <= 0) return 0;
  int64_t pick = Between(0, total - 1);
  for (std::size_t i = 0; i < weights.size(); ++i) {
    if (weights[i] <= 0) continue;
    if (pick < weights[i]) return i;
    pick -= weights[i];
  }
  return weights.size() - 1;
}

uint64_t MixSeed(uint64_t seed, uint64_t salt) {
  uint64_t z = seed + 0x9E3779B97F4A7C15ULL * (salt + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}
