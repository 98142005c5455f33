#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
  // Number texts must not depend on the machine's locale; run the tests under one that uses a
  // decimal comma where available, so a locale leak shows up as a failure.
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
