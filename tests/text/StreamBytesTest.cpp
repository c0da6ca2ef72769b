#include "text/StreamBytes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(StreamBytes, ReadsEverythingLeftAcrossBlockBoundaries) {
  std::string data(200000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 % 251);
  std::istringstream in(data);
  in.ignore(3);
  EXPECT_EQ(text::ReadAll(in), data.substr(3));
  EXPECT_FALSE(in.bad());
  EXPECT_EQ(text::ReadAll(in), "");  // nothing left
}

TEST(StreamBytes, AStreamWithoutBufferIsBad) {
  std::istream in(nullptr);
  EXPECT_EQ(text::ReadAll(in), "");
  EXPECT_TRUE(in.bad());
}

}  // namespace
