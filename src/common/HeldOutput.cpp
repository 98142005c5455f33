#include "common/HeldOutput.h"

namespace kavro {

std::streamsize HeldOutput::xsputn(const char* text, std::streamsize count) {
  // Nothing is buffered here: the wait is the whole point, and the target buffers.
  if (!verdict_.Wait()) return count;  // thrown away, as if written
  target_.write(text, count);
  return target_ ? count : 0;
}

HeldOutput::int_type HeldOutput::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char one = traits_type::to_char_type(c);
  return xsputn(&one, 1) == 1 ? c : traits_type::eof();
}

int HeldOutput::sync() {
  if (!verdict_.Wait()) return 0;
  target_.flush();
  return target_ ? 0 : -1;
}

}  // namespace kavro
