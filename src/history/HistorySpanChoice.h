#pragma once
// The span the history tools read, from their --from and --to: each a time as
// ParseHistoryTime takes it; --from defaults to the first cycle recorded, --to to now or, when
// the controller's clock runs ahead of this machine's, the last cycle recorded.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace kavro {

struct HistorySpanChoice {
  std::int64_t from = 0;
  std::int64_t to = 0;
  std::string error;  // one line for the user when the choice is bad; empty when good
};

// recorded: the first and last cycle, nothing before the history is opened or when it is empty.
HistorySpanChoice ChooseHistorySpan(const std::optional<std::string>& from,
                                    const std::optional<std::string>& to, std::int64_t now,
                                    const std::optional<std::pair<std::int64_t, std::int64_t>>& recorded);

}  // namespace kavro
