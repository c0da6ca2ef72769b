#include "text/StreamBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>

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

// A pipe-like buffer: cannot seek, so the size is not known in advance.
class TUnseekable : public std::streambuf {
 public:
  explicit TUnseekable(std::string data) : fData(std::move(data)) {}

 protected:
  int_type underflow() override {
    if (fAt >= fData.size()) return traits_type::eof();
    const std::size_t n = std::min<std::size_t>(1000, fData.size() - fAt);
    setg(fData.data() + fAt, fData.data() + fAt, fData.data() + fAt + n);
    fAt += n;
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::string fData;
  std::size_t fAt = 0;
};

TEST(StreamBytes, ReadsAStreamThatCannotSeek) {
  const std::string data(150001, 'x');
  TUnseekable buffer(data);
  std::istream in(&buffer);
  EXPECT_EQ(text::ReadAll(in), data);
  EXPECT_FALSE(in.bad());
}

TEST(StreamBytes, AStreamWithoutBufferIsBad) {
  std::istream in(nullptr);
  EXPECT_EQ(text::ReadAll(in), "");
  EXPECT_TRUE(in.bad());
}

}  // namespace
