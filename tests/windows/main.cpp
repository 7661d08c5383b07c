// The Windows tests' main: the GoogleTest runner, or the window of another process that
// some tests start this program again to show.
#include <gtest/gtest.h>

#include "other_process.h"

int main(int argc, char** argv) {
  if (ServeWindowIfAsked(argc, argv)) return 0;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
