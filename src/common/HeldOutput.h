#pragma once
// Output held back until a verdict is given: a stream buffer whose writes wait for it, then
// reach the target stream when it passed and are thrown away when it failed. A replay's results
// and cycle errors go through it while its trace is still being checked, so a bad row late in
// the trace still leaves nothing shown.
#include <ostream>
#include <streambuf>

#include "common/Verdict.h"

namespace kavro {

class HeldOutput : public std::streambuf {
 public:
  HeldOutput(std::ostream& target, const Verdict& verdict) : target_(target), verdict_(verdict) {}

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  std::ostream& target_;
  const Verdict& verdict_;
};

}  // namespace kavro
