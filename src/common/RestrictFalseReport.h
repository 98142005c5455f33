#pragma once
// GCC 12 at -O3 (the Release build) reports -Wrestrict inside std::string when a short literal
// is assigned to a string or put before one ("R" + text): its inliner loses track of the sizes
// and imagines an overlapping copy that cannot happen (GCC bug 105329). The report is silenced
// around the lines where it fires, and only there; clang and other GCC versions see nothing.
#if defined(__GNUC__) && !defined(__clang__)
#define KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN \
  _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wrestrict\"")
#define KAVRO_STRING_RESTRICT_FALSE_REPORT_END _Pragma("GCC diagnostic pop")
#else
#define KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
#define KAVRO_STRING_RESTRICT_FALSE_REPORT_END
#endif
