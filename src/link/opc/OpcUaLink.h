#pragma once
// The OPC link behind the Link interface: the bridge program (a child process), the OPC UA
// client that speaks to it, and the link's tables. Chosen by MakeLink for the two OPC names.
#include "link/Link.h"
#include "link/opc/BridgeOpcClient.h"
#include "link/opc/OpcLink.h"
#include "link/opc/PosixChildPipe.h"

namespace kavro {

class OpcUaLink final : public Link {
 public:
  OpcUaLink() = default;
  OpcUaLink(const OpcUaLink&) = delete;
  OpcUaLink& operator=(const OpcUaLink&) = delete;

  // Takes the bridge settings from WorkDir and Link2Appl (an unknown word goes to the event
  // log), then connects and adds the items. The link goes ON even when the connect failed: the
  // failure was shown, and the restart option may reconnect later.
  bool SwitchOn(Controller& controller) override;
  void Read(Controller& controller) override;
  void Write(Controller& controller) override;
  void SwitchOff(Controller& controller) override;
  void Supervise(Controller& controller) override;
  LinkPanelLines PanelLines(const Controller& controller, bool tagsNotFound) const override;

  const OpcLink& Tables() const { return link_; }
  PosixChildPipe& Bridge() { return bridge_; }

 private:
  // The connection log is kept only while the link debug panel is visible.
  void FollowPanel(const Controller& controller);

  PosixChildPipe bridge_;
  BridgeOpcClient client_{bridge_, BridgeSettings{}};
  OpcLink link_{client_};
};

}  // namespace kavro
