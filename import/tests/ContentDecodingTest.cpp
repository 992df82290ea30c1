#include "import/ContentDecoding.h"

#include <brotli/encode.h>
#include <zstd.h>

#include <gtest/gtest.h>

#include "import/tests/SyntheticEntryFiles.h"

namespace vantry::import {

namespace {

const std::string kText = "<html><body>" + std::string(3000, 'x') + "caf\xc3\xa9</body></html>";

std::string BrotliBytes(std::string_view bytes) {
  size_t size = BrotliEncoderMaxCompressedSize(bytes.size());
  std::string out(size, '\0');
  BrotliEncoderCompress(BROTLI_DEFAULT_QUALITY, BROTLI_DEFAULT_WINDOW, BROTLI_MODE_TEXT, bytes.size(),
                        reinterpret_cast<const uint8_t*>(bytes.data()), &size, reinterpret_cast<uint8_t*>(out.data()));
  out.resize(size);
  return out;
}

std::string ZstdBytes(std::string_view bytes) {
  std::string out(ZSTD_compressBound(bytes.size()), '\0');
  out.resize(ZSTD_compress(out.data(), out.size(), bytes.data(), bytes.size(), 3));
  return out;
}

TEST(ContentDecodingTest, EachCodingDecodesToTheOriginal) {
  struct Case {
    const char* coding;
    std::string encoded;
  } cases[] = {
      {"gzip", GzipBytes(kText)},
      {"x-gzip", GzipBytes(kText)},
      {"deflate", DeflateBytes(kText, 15)},
      {"deflate", DeflateBytes(kText, -15)},
      {"br", BrotliBytes(kText)},
      {"zstd", ZstdBytes(kText)},
      {"identity", kText},
      {"gzip, br", BrotliBytes(GzipBytes(kText))},  // applied in order, undone last first
      {" GZIP ", GzipBytes(kText)},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(HasContentCoding(c.coding) || std::string(c.coding) == "identity") << c.coding;
    EXPECT_EQ(DecodeContent(c.coding, c.encoded), kText) << c.coding;
  }
}

TEST(ContentDecodingTest, ConsecutiveGzipMembersAreAllDecoded) {
  EXPECT_EQ(DecodeContent("gzip", GzipBytes("first ") + GzipBytes("second")), "first second");
}

// A zstd frame that does not say how large its content is, as a streaming encoder writes it.
std::string ZstdBytesWithoutSize(std::string_view bytes) {
  ZSTD_CCtx* context = ZSTD_createCCtx();
  ZSTD_CCtx_setParameter(context, ZSTD_c_contentSizeFlag, 0);
  std::string out(ZSTD_compressBound(bytes.size()), '\0');
  out.resize(ZSTD_compress2(context, out.data(), out.size(), bytes.data(), bytes.size()));
  ZSTD_freeCCtx(context);
  return out;
}

// Output is sized first from what the data claims (a gzip trailer, a zstd frame header)
// or a guess; bodies far larger than that, or members whose claims cover only a part,
// still come out whole.
TEST(ContentDecodingTest, BodiesOfAnySizeComeOutWholeWhateverTheFirstGuess) {
  std::string large;
  for (int i = 0; large.size() < 300000; ++i) large += std::to_string(i * 7919) + " ";
  struct Case {
    const char* coding;
    std::string encoded, expected;
  } cases[] = {
      {"gzip", GzipBytes(large), large},
      {"deflate", DeflateBytes(large, -15), large},
      {"br", BrotliBytes(large), large},
      {"zstd", ZstdBytes(large), large},
      {"zstd", ZstdBytesWithoutSize(large), large},
      {"zstd", ZstdBytesWithoutSize(kText), kText},
      {"gzip", GzipBytes(large) + GzipBytes("x"), large + "x"},
      {"gzip", GzipBytes("x") + GzipBytes(large), "x" + large},
      {"gzip", GzipBytes(""), ""},
      {"gzip", GzipBytes(large) + "after the member", large},  // bytes after the last member are ignored
  };
  for (const Case& c : cases) {
    std::optional<std::string> decoded = DecodeContent(c.coding, c.encoded);
    ASSERT_TRUE(decoded) << c.coding << " of " << c.expected.size();
    EXPECT_EQ(decoded->size(), c.expected.size()) << c.coding;
    EXPECT_TRUE(*decoded == c.expected) << c.coding;
  }
  // A trailer that claims more than the data holds is damage, not a reason to reserve it.
  std::string lying = GzipBytes(kText);
  lying.replace(lying.size() - 4, 4, "\xff\xff\xff\x7f");
  EXPECT_EQ(DecodeContent("gzip", lying), std::nullopt);
  // A member with one byte of its data changed is refused, not decoded to something else.
  std::string damaged = GzipBytes(large);
  damaged[damaged.size() / 2] ^= 0x01;
  EXPECT_EQ(DecodeContent("gzip", damaged), std::nullopt);
}

TEST(ContentDecodingTest, DamagedTruncatedOrUnknownGivesNothing) {
  std::string gzip = GzipBytes(kText);
  std::string zstd = ZstdBytes(kText);
  std::string brotli = BrotliBytes(kText);
  EXPECT_EQ(DecodeContent("gzip", gzip.substr(0, gzip.size() / 2)), std::nullopt);
  EXPECT_EQ(DecodeContent("gzip", "not gzip at all"), std::nullopt);
  EXPECT_EQ(DecodeContent("zstd", zstd.substr(0, zstd.size() - 3)), std::nullopt);
  EXPECT_EQ(DecodeContent("br", brotli.substr(0, brotli.size() / 2)), std::nullopt);
  EXPECT_EQ(DecodeContent("br", brotli + "trailing"), std::nullopt);
  EXPECT_EQ(DecodeContent("compress", kText), std::nullopt);
  EXPECT_EQ(DecodeContent("gzip, br", GzipBytes(kText)), std::nullopt);
  for (size_t cut = 0; cut < gzip.size(); cut += 7) DecodeContent("gzip", gzip.substr(0, cut));  // never crashes
}

TEST(ContentDecodingTest, NoCodingMeansNothingToDo) {
  EXPECT_FALSE(HasContentCoding(""));
  EXPECT_FALSE(HasContentCoding("identity"));
  EXPECT_TRUE(HasContentCoding("gzip"));
}

}  // namespace

}  // namespace vantry::import
