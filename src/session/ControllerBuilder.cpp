#include "session/ControllerBuilder.h"

#include "edit/AuditTrail.h"

namespace kavro {
namespace {

// A run on simulated time changes nothing an operator did: its trail has nowhere to go.
class DroppedAudit final : public AuditSink {
 public:
  bool Append(const std::string&, const std::string&) override { return true; }
  std::string Timestamp() override { return {}; }
  std::string LoginName() override { return {}; }
};

template <class Port>
void Wire(PortRef<Port>& port, Port* given) {
  if (given) port = given;
}

}  // namespace

ControllerParts ControllerParts::OnSimulatedTime(Clock& clock) {
  static DroppedAudit dropped;
  ControllerParts parts;
  parts.clock = &clock;
  parts.events = &NoEventPump();
  parts.timer = &NoCycleTimer();
  parts.session = SessionOptions::ForReplay();
  parts.session.auditSink = &dropped;
  return parts;
}

void WirePorts(Controller& controller, const ControllerParts& parts) {
  Ports& ports = controller.ports;
  Wire(ports.op, parts.op);
  Wire(ports.clock, parts.clock);
  Wire(ports.events, parts.events);
  Wire(ports.timer, parts.timer);
  Wire(ports.processes, parts.processes);
  Wire(ports.clipboard, parts.clipboard);
  Wire(ports.printing, parts.printing);
  Wire(ports.files, parts.files);
}

BuiltController::BuiltController(ControllerParts parts)
    : BuiltController(std::make_unique<Controller>(), nullptr, std::move(parts)) {}

BuiltController::BuiltController(Controller& controller, ControllerParts parts)
    : BuiltController(nullptr, &controller, std::move(parts)) {}

BuiltController::BuiltController(std::unique_ptr<Controller> owned, Controller* kept,
                                 ControllerParts parts)
    : owned_(std::move(owned)), controller_(owned_ ? *owned_ : *kept), before_(controller_.ports) {
  // The session answers through the operator it finds in the ports: they are wired first.
  WirePorts(controller_, parts);
  session_ = std::make_unique<ControllerSession>(controller_, std::move(parts.session));
  for (auto& step : parts.afterEveryCycle) session_->AddAfterCycle(std::move(step));
}

BuiltController::~BuiltController() {
  // The session lets go of the controller first; then the ports are as they were.
  session_.reset();
  controller_.ports = before_;
}

}  // namespace kavro
