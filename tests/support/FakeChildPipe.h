#pragma once
// A child process played by the test: each line sent gets the answers a scripted peer gives;
// the peer may stay silent (a hung child) and the child may die at any time.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/ports/ChildPipe.h"

namespace kavro::test {

class FakeChildPipe : public ChildPipe {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    ++starts;
    started.push_back(program);
    started.insert(started.end(), arguments.begin(), arguments.end());
    pending.clear();
    running = !failStart;
    return running;
  }
  bool Running() override { return running; }
  bool WriteLine(const std::string& line) override {
    if (!running) return false;
    sent.push_back(line);
    if (peer) {
      for (std::string& answer : peer(line)) pending.push_back(std::move(answer));
    }
    return true;
  }
  std::optional<std::string> ReadLine(int timeoutMs) override {
    waitedMs += timeoutMs;
    if (pending.empty()) return std::nullopt;
    std::string line = pending.front();
    pending.pop_front();
    return line;
  }
  void Stop() override {
    running = false;
    pending.clear();
  }

  // The answers to one request line; none for a child that does not answer.
  std::function<std::vector<std::string>(const std::string&)> peer;
  bool running = false;
  bool failStart = false;
  int starts = 0;
  long long waitedMs = 0;
  std::vector<std::string> started;  // program and arguments of every start
  std::vector<std::string> sent;
  std::deque<std::string> pending;
};

}  // namespace kavro::test
