#include "import/ContentDecoding.h"

#include <brotli/decode.h>
#include <libdeflate.h>
#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "text/AsciiText.h"

namespace vantry::import {

namespace {

constexpr size_t kChunk = 64 * 1024;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::vector<std::string> Codings(std::string_view value) {
  std::vector<std::string> codings;
  size_t start = 0;
  while (start <= value.size()) {
    size_t comma = value.find(',', start);
    if (comma == std::string_view::npos) comma = value.size();
    std::string coding = text::ToLowerAscii(Trim(value.substr(start, comma - start)));
    if (!coding.empty() && coding != "identity") codings.push_back(coding);
    start = comma + 1;
  }
  return codings;
}

// Room for the first piece of output: the size the data claims to decode to, else a
// typical ratio. A false claim is bounded by what deflate can reach from the input, so
// it costs no more than a real bomb of that size.
size_t FirstRoom(size_t inputSize, std::optional<uint64_t> claimed) {
  uint64_t bound = std::min<uint64_t>(uint64_t(inputSize) * 1032 + 64, kMaxDecodedBodySize);
  if (claimed) return static_cast<size_t>(std::min(*claimed + 1, bound));  // + 1 so the end is seen at once
  return std::clamp<size_t>(inputSize * 4, 4096, kChunk);
}

// A gzip member ends with the size of its data, modulo 2^32.
std::optional<uint64_t> GzipClaimedSize(std::string_view data) {
  if (data.size() < 18 || data[0] != '\x1f' || data[1] != '\x8b') return std::nullopt;
  const auto* end = reinterpret_cast<const unsigned char*>(data.data() + data.size() - 4);
  return uint64_t(end[0]) | uint64_t(end[1]) << 8 | uint64_t(end[2]) << 16 | uint64_t(end[3]) << 24;
}

std::optional<uint64_t> ZstdClaimedSize(std::string_view data) {
  unsigned long long size = ZSTD_getFrameContentSize(data.data(), data.size());
  if (size == ZSTD_CONTENTSIZE_UNKNOWN || size == ZSTD_CONTENTSIZE_ERROR) return std::nullopt;
  return size;
}

// windowBits: 15 + 32 detects a zlib or gzip header, -15 reads raw deflate. Gzip
// members that follow one another are all decoded; bytes after the last one are ignored.
std::optional<std::string> Inflate(std::string_view data, int windowBits) {
  std::string out;
  z_stream stream{};
  if (inflateInit2(&stream, windowBits) != Z_OK) return std::nullopt;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  bool complete = false;
  size_t chunk = FirstRoom(data.size(), windowBits > 0 ? GzipClaimedSize(data) : std::nullopt);
  while (out.size() <= kMaxDecodedBodySize) {
    size_t used = out.size();
    out.resize(used + chunk);
    stream.next_out = reinterpret_cast<Bytef*>(out.data() + used);
    stream.avail_out = static_cast<uInt>(chunk);
    int result = inflate(&stream, Z_NO_FLUSH);
    out.resize(used + chunk - stream.avail_out);
    chunk = kChunk;
    if (result == Z_STREAM_END) {
      complete = true;
      if (stream.avail_in == 0 || windowBits < 0 || inflateReset(&stream) != Z_OK) break;
    } else if (result != Z_OK || (stream.avail_in == 0 && stream.avail_out != 0)) {
      break;  // damaged, or the data ended inside the stream
    }
  }
  inflateEnd(&stream);
  if (!complete || out.size() > kMaxDecodedBodySize) return std::nullopt;
  return out;
}

// A lone gzip member whose trailer tells its size truly, in one call of the faster
// decoder; nothing otherwise (several members, bytes after it, a false size, damage),
// which is left to zlib's stream.
std::optional<std::string> InflateLoneGzipMember(std::string_view data) {
  std::optional<uint64_t> claimed = GzipClaimedSize(data);
  if (!claimed || *claimed >= FirstRoom(data.size(), claimed)) return std::nullopt;
  std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> decompressor(
      libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
  if (!decompressor) return std::nullopt;
  std::string out(static_cast<size_t>(*claimed), '\0');
  size_t read = 0, written = 0;
  if (libdeflate_gzip_decompress_ex(decompressor.get(), data.data(), data.size(), out.data(), out.size(), &read,
                                    &written) != LIBDEFLATE_SUCCESS ||
      read != data.size() || written != out.size())
    return std::nullopt;
  return out;
}

std::optional<std::string> Brotli(std::string_view data) {
  BrotliDecoderState* state = BrotliDecoderCreateInstance(nullptr, nullptr, nullptr);
  if (state == nullptr) return std::nullopt;
  std::string out;
  size_t availableIn = data.size();
  const uint8_t* nextIn = reinterpret_cast<const uint8_t*>(data.data());
  BrotliDecoderResult result = BROTLI_DECODER_RESULT_NEEDS_MORE_OUTPUT;
  size_t chunk = FirstRoom(data.size(), std::nullopt);
  while (result == BROTLI_DECODER_RESULT_NEEDS_MORE_OUTPUT && out.size() <= kMaxDecodedBodySize) {
    size_t used = out.size();
    out.resize(used + chunk);
    size_t availableOut = chunk;
    uint8_t* nextOut = reinterpret_cast<uint8_t*>(out.data() + used);
    result = BrotliDecoderDecompressStream(state, &availableIn, &nextIn, &availableOut, &nextOut, nullptr);
    out.resize(used + chunk - availableOut);
    chunk = kChunk;
  }
  BrotliDecoderDestroyInstance(state);
  if (result != BROTLI_DECODER_RESULT_SUCCESS || availableIn != 0 || out.size() > kMaxDecodedBodySize)
    return std::nullopt;
  return out;
}

std::optional<std::string> Zstd(std::string_view data) {
  ZSTD_DCtx* context = ZSTD_createDCtx();
  if (context == nullptr) return std::nullopt;
  std::string out;
  ZSTD_inBuffer in{data.data(), data.size(), 0};
  size_t pending = 1;  // 0 once a frame is complete and flushed
  bool failed = false;
  size_t chunk = FirstRoom(data.size(), ZstdClaimedSize(data));
  while ((in.pos < in.size || pending != 0) && out.size() <= kMaxDecodedBodySize) {
    size_t used = out.size();
    out.resize(used + chunk);
    ZSTD_outBuffer buffer{out.data() + used, chunk, 0};
    size_t before = in.pos;
    pending = ZSTD_decompressStream(context, &buffer, &in);
    out.resize(used + buffer.pos);
    chunk = kChunk;
    if (ZSTD_isError(pending) || (in.pos == before && buffer.pos == 0)) {
      failed = true;  // damaged, or the input ended inside a frame
      break;
    }
  }
  ZSTD_freeDCtx(context);
  if (failed || pending != 0 || out.size() > kMaxDecodedBodySize) return std::nullopt;
  return out;
}

std::optional<std::string> DecodeOne(const std::string& coding, std::string_view data) {
  if (coding == "gzip" || coding == "x-gzip") {
    if (auto whole = InflateLoneGzipMember(data)) return whole;
    return Inflate(data, 15 + 32);
  }
  if (coding == "deflate") {
    if (auto wrapped = Inflate(data, 15)) return wrapped;
    return Inflate(data, -15);
  }
  if (coding == "br") return Brotli(data);
  if (coding == "zstd") return Zstd(data);
  return std::nullopt;
}

}  // namespace

bool HasContentCoding(std::string_view contentEncoding) { return !Codings(contentEncoding).empty(); }

std::optional<std::string> DecodeContent(std::string_view contentEncoding, std::string_view body) {
  std::vector<std::string> codings = Codings(contentEncoding);
  std::optional<std::string> current;
  for (auto coding = codings.rbegin(); coding != codings.rend(); ++coding) {
    current = DecodeOne(*coding, current ? std::string_view(*current) : body);
    if (!current) return std::nullopt;
  }
  return current ? std::move(current) : std::string(body);
}

}  // namespace vantry::import
