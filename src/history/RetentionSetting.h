#pragma once
// How many days of plant history the working folder keeps: one line "RetentionDays=N" in
// WorkDir/kavro-history.ini, beside the history itself, so that the window and the headless
// service of that folder keep the same span. FLC.dat is left as other plants' tools read it.
#include <optional>
#include <string>

namespace kavro {

inline constexpr const char* kHistorySettingsFileName = "kavro-history.ini";
inline constexpr int kMaxRetentionDays = 36500;

// The folder's setting; the default (400) when there is none or it is no whole number of days
// from 1 to kMaxRetentionDays.
int ReadRetentionDays(const std::string& workDir);
// Written durably; false with the reason when it could not be.
bool SaveRetentionDays(const std::string& workDir, int days, std::string* error);
// "N" as the settings panel and --history-days take it: nothing unless 1..kMaxRetentionDays.
std::optional<int> ParseRetentionDays(const std::string& text);

}  // namespace kavro
