#pragma once
// A program beside the controller that it speaks to one line at a time (the OPC UA bridge): its
// standard input takes our lines, its standard output gives its answers. Every read has a
// deadline, so a child that hangs or dies never stalls the caller.
#include <optional>
#include <string>
#include <vector>

namespace kavro {

class ChildPipe {
 public:
  virtual ~ChildPipe() = default;
  // Starts program with arguments, ending any child this pipe had first. False when it could
  // not be started.
  virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // True while the child runs.
  virtual bool Running() = 0;
  // Sends one line (the line end is added). False when the child is gone or does not read.
  virtual bool WriteLine(const std::string& line) = 0;
  // The child's next line, waiting at most timeoutMs; nothing when none came in time or the
  // child ended. A child that closes its output, or sends a line longer than any answer can be,
  // is ended here: Running() is false after.
  virtual std::optional<std::string> ReadLine(int timeoutMs) = 0;
  // Ends the child: closes its input, and stops it when it does not end by itself at once.
  virtual void Stop() = 0;
};

}  // namespace kavro
