#pragma once
// A table of slots 0..Size - 1 whose slots 1..Last roll: ShiftIn moves slot k + 1 into slot k
// and puts the newest value into slot Last, as a history does once it is full. The slots are not
// moved for that: they live in a store twice as long and the table's first slot moves on by one;
// only once the store's end is reached are they moved back to its front. So a full history costs
// a few writes a cycle instead of moving all its samples, and its slots stay side by side.
#include <algorithm>
#include <array>
#include <cstddef>

namespace kavro {

template <typename T, std::size_t Size, std::size_t Last>
class SlidingTable {
  static_assert(Last >= 1 && Last < Size);

 public:
  T& operator[](std::size_t slot) { return store_[start_ + slot]; }
  const T& operator[](std::size_t slot) const { return store_[start_ + slot]; }
  static constexpr std::size_t size() { return Size; }
  T* data() { return store_.data() + start_; }
  const T* data() const { return store_.data() + start_; }
  T* begin() { return data(); }
  T* end() { return data() + Size; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + Size; }

  // Slots 1..Last - 1 take the values of slots 2..Last and slot Last takes newest; slot 0 and
  // the slots after Last keep theirs.
  void ShiftIn(const T& newest) {
    if (start_ == kSpare) {
      std::copy(begin(), end(), store_.begin());
      start_ = 0;
    }
    const T first = (*this)[0];
    std::copy_backward(begin() + Last + 1, end(), end() + 1);  // the slots after Last stay
    ++start_;
    (*this)[0] = first;
    (*this)[Last] = newest;
  }

 private:
  static constexpr std::size_t kSpare = Size;  // shifts between two moves to the front
  std::array<T, Size + kSpare> store_{};
  std::size_t start_ = 0;
};

}  // namespace kavro
