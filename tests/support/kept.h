// A copy of one global record, taken once and put back on demand, so that
// tests sharing one started simulator each begin from the same state.
#pragma once
#include <cstring>
#include <vector>

template <typename T> struct kept {
  T* live;
  std::vector<unsigned char> copy;
  explicit kept(T* g) : live(g), copy(sizeof(T)) { std::memcpy(copy.data(), g, sizeof(T)); }
  void restore() { std::memcpy((void*)live, copy.data(), sizeof(T)); }
};
