#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace kassivo {
namespace {

using testing::Call;
using testing::TestProcess;

TEST(Dispatcher, OpenGivesSequentialIds) {
  TestProcess process;
  auto component = process.NewComponent();
  EXPECT_EQ(testing::OpenDevice(*component), u"1");
  EXPECT_EQ(testing::OpenDevice(*component), u"2");
}

}  // namespace
}  // namespace kassivo
