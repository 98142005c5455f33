#pragma once
// A text the rule base is compiled from: a zone name, a rule term, an operator name. It reads
// as a std::string; it can only be changed by assigning it, and every change of any such text,
// in any model (a construction, a copy and a move count as changes), moves
// RuleBaseTextRevision() on. The engine's compiled rule base remembers the revision it was
// built at, so it knows it must be built again without comparing some two hundred texts every
// cycle, and no writer can forget to tell it: there is no other way to change the text.
#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <type_traits>

namespace kavro {

namespace rule_base_text {
inline std::atomic<uint64_t> revision{0};
}

// Moves on with every change of any RuleBaseText; never goes back.
inline uint64_t RuleBaseTextRevision() {
  return rule_base_text::revision.load(std::memory_order_relaxed);
}

class RuleBaseText;

// Any text other than a RuleBaseText.
template <typename Text>
concept TextLike = std::is_convertible_v<const Text&, std::string_view> &&
    !std::is_same_v<std::remove_cvref_t<Text>, RuleBaseText>;

class RuleBaseText {
 public:
  RuleBaseText() { Changed(); }
  // Implicit: a zone name or term is written where a text is expected.
  RuleBaseText(std::string text) : text_(std::move(text)) { Changed(); }
  RuleBaseText(const char* text) : text_(text) { Changed(); }
  RuleBaseText(std::string_view text) : text_(text) { Changed(); }
  RuleBaseText(const RuleBaseText& other) : text_(other.text_) { Changed(); }
  RuleBaseText(RuleBaseText&& other) noexcept : text_(std::move(other.text_)) {
    Changed();  // both texts changed: the moved-from one is empty now
  }
  RuleBaseText& operator=(const RuleBaseText& other) {
    text_ = other.text_;
    Changed();
    return *this;
  }
  RuleBaseText& operator=(RuleBaseText&& other) noexcept {
    text_ = std::move(other.text_);
    Changed();
    return *this;
  }
  RuleBaseText& operator=(std::string text) {
    text_ = std::move(text);
    Changed();
    return *this;
  }
  RuleBaseText& operator=(const char* text) {
    text_.assign(text);
    Changed();
    return *this;
  }
  RuleBaseText& operator=(std::string_view text) {
    text_.assign(text);
    Changed();
    return *this;
  }
  ~RuleBaseText() = default;

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }
  operator std::string_view() const { return text_; }
  bool empty() const { return text_.empty(); }
  size_t size() const { return text_.size(); }
  const char* c_str() const { return text_.c_str(); }

  // Compared and joined with any text; the other side is not made a RuleBaseText first.
  template <typename Text>
  requires TextLike<Text>
  friend bool operator==(const RuleBaseText& a, const Text& b) {
    return std::string_view(a.text_) == std::string_view(b);
  }
  friend bool operator==(const RuleBaseText& a, const RuleBaseText& b) {
    return a.text_ == b.text_;
  }
  template <typename Text>
  requires TextLike<Text>
  friend std::string operator+(const RuleBaseText& a, const Text& b) {
    std::string joined = a.text_;
    joined += std::string_view(b);
    return joined;
  }
  template <typename Text>
  requires TextLike<Text>
  friend std::string operator+(const Text& a, const RuleBaseText& b) {
    std::string joined(std::string_view{a});
    joined += b.text_;
    return joined;
  }
  friend std::string operator+(const RuleBaseText& a, const RuleBaseText& b) {
    return a.text_ + b.text_;
  }
  friend std::ostream& operator<<(std::ostream& out, const RuleBaseText& text);

 private:
  static void Changed() { rule_base_text::revision.fetch_add(1, std::memory_order_relaxed); }
  std::string text_;
};

}  // namespace kavro
