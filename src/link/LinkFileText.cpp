#include "link/LinkFileText.h"

#include <vector>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "config/ConfigLines.h"
#include "link/LinkTags.h"

namespace kavro {
namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// Name1, date and time: the first three lines of both files the controller writes.
std::string HeaderLines(const ControllerModel& model, const DateTime& now) {
  return Quoted(model.FLCBlock.Name1) + kCrLf + Quoted(FormatDateTime(now, "yyyy/mm/dd")) + kCrLf +
         Quoted(FormatDateTime(now, "hh:mm:ss")) + kCrLf;
}

// Hands out the lines of an .IN file in order; running past the last one is a read failure.
class LineCursor {
 public:
  explicit LineCursor(const std::string& bytes) : lines_(SplitConfigLines(bytes)) {}
  const std::string& Next() {
    if (next_ >= lines_.size()) throw KavroError(errors::kInputPastEnd, errors::kInputPastEndText);
    return lines_[next_++];
  }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

}  // namespace

std::string TagFileText(const ControllerModel& model, const DateTime& now) {
  std::string text = HeaderLines(model, now);
  text += FormatNumber(LinkReadCount, "##0") + "," + FormatNumber(LinkWriteCount, "##0") + "," +
          Quoted("OPC") + kCrLf;
  text += Quoted(model.FLCBlock.LinkAppl) + "," + Quoted(model.FLCBlock.Link2Appl) + kCrLf;
  text += Quoted(model.FLCBlock.LinkTopicName) + kCrLf;
  for (const std::string& tag : ReadTagList(model)) text += Quoted(tag) + kCrLf;
  for (const std::string& tag : WriteTagList(model)) text += Quoted(tag) + kCrLf;
  return text;
}

std::string OutputFileText(const ControllerModel& model, const DateTime& now) {
  const bool running = model.Link.LinkStatus == kOn;
  std::string text = HeaderLines(model, now);
  text += Quoted(running ? "RUN" : "STOP") + kCrLf;
  text += FormatNumber(model.FLCBlock.LinkFrequency, "##0") + kCrLf;
  text += std::string("1") + kCrLf;  // the watchdog value
  // The final notice after switching off tells the link client only to stop.
  if (!running && model.Link.LinkStatusSent == kOn) return text;
  text += FormatNumber(model.ErrorCodeValue, "####0") + kCrLf;
  for (int k = 1; k <= NumOut; ++k) text += OutputSentText(model, k) + kCrLf;
  return text;
}

void StoreLinkInput(ControllerModel& model, const std::string& bytes,
                    const std::function<void(int16_t)>& takeRunFrequency) {
  LineCursor lines(bytes);
  for (int header = 0; header < 3; ++header) lines.Next();
  model.DCSOnOffValue = ToInt16(ToNumber(lines.Next()));
  static_cast<void>(
      ToInt16(ToNumber(lines.Next())));  // the watchdog: must read as an integer, is not used
  takeRunFrequency(ToInt16(ToNumber(lines.Next())));
  ForEachValueTag(model, [&](const std::string& tag, float& field) {
    const std::string& value = lines.Next();
    if (!TrimRight(tag).empty()) field = ToSingle(value);
  });
}

}  // namespace kavro
