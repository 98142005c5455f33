#pragma once
// What the link debug panel lists about the link that is on: the read and write lists, the
// connection log and the item counts with their progress bars. The OPC link lists its items
// ("tag, handle, value"); the file link the .IN tags and values and the .OUT lines of the last
// cycle, so the operator gets the same view of either link.
#include <string>
#include <vector>

namespace kavro {

struct LinkPanelLines {
  std::vector<std::string> lstRead;
  std::vector<std::string> lstWrite;
  std::vector<std::string> lstLinkMsg;
  std::string lblCountRead = "0/0";  // items read well / read items, e.g. "33/33"
  std::string lblCountWrite = "0/0";
  int progressReadMax = 100;
  int progressReadValue = 0;
  int progressWriteMax = 100;
  int progressWriteValue = 0;
};

}  // namespace kavro
