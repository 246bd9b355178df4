// The tests' random numbers: splitmix64, small, and the same on every
// machine, so that a seed gives the same inputs on every build compared.
#pragma once

#include <cstdint>

namespace test_support {

class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

  std::uint64_t operator()() {
    std::uint64_t z = state_ += 0x9e3779b97f4a7c15;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
  }
  // Below n, n > 0.
  int below(int n) { return static_cast<int>((*this)() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

}  // namespace test_support
