#pragma once
// The version every program of Kavro prints: the project version of the build, set in one place
// (the top CMakeLists.txt), so kavro, its tools and the package always agree.
#include <cstdio>
#include <cstring>

#define KAVRO_VERSION_STRING_OF(number) #number
#define KAVRO_VERSION_STRING(number) KAVRO_VERSION_STRING_OF(number)

namespace kavro {

// "major.minor.patch"
inline constexpr const char* kVersionText = KAVRO_VERSION_STRING(KAVRO_VERSION_MAJOR) "." KAVRO_VERSION_STRING(
    KAVRO_VERSION_MINOR) "." KAVRO_VERSION_STRING(KAVRO_VERSION_PATCH);

// Answers "--version" and "--help" given as a program's only argument: prints the version line
// or the usage to standard output and returns the exit status 0. Returns -1 for any other
// arguments, which are the program's own.
inline int AnswerVersionOrHelp(int argc, char** argv, const char* program, const char* usage) {
  if (argc != 2) return -1;
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", program, kVersionText);
    return 0;
  }
  if (std::strcmp(argv[1], "--help") == 0) {
    std::fputs(usage, stdout);
    return 0;
  }
  return -1;
}

}  // namespace kavro
