#pragma once
// A loopback port nobody listens on now, for a test or benchmark OPC UA server.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kavro::test {

inline int FreeLoopbackPort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  close(probe);
  return ntohs(address.sin_port);
}

}  // namespace kavro::test
