#include "import/HarReader.h"

#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "import/HttpHeaders.h"
#include "import/UrlKeys.h"
#include "import/Utf8Escape.h"
#include "text/AsciiText.h"

namespace vantry::import {

using json = nlohmann::json;

namespace {

std::string StringField(const json& object, const char* key) {
  auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

// A header text line may not hold a line break of its own.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return text;
}

std::string StatusLine(const json& response) {
  std::string version = text::ToLowerAscii(StringField(response, "httpVersion"));
  if (version == "h2" || version == "http/2") version = "http/2.0";
  if (version == "h3" || version == "http/3") version = "http/3.0";
  if (!version.starts_with("http/")) version = "http/1.1";
  for (char& c : version) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string line = version + " " + std::to_string(response.at("status").get<int>());
  if (std::string text = StringField(response, "statusText"); !text.empty()) line += " " + text;
  return OneLine(line);
}

std::string Headers(const json& response) {
  std::vector<std::string> owned{StatusLine(response)};
  if (auto headers = response.find("headers"); headers != response.end() && headers->is_array())
    for (const json& header : *headers) {
      std::string name = StringField(header, "name");
      if (name.empty() || name[0] == ':') continue;  // HTTP/2 pseudo-headers are no header lines
      owned.push_back(OneLine(name + ": " + StringField(header, "value")));
    }
  std::vector<std::string_view> lines(owned.begin(), owned.end());
  return HeaderTextFromLines(lines);
}

// Reads one archive entry; a reason when it is left out.
std::string ReadEntry(const json& item, ImportedEntry& entry) {
  const json& request = item.at("request");
  const json& response = item.at("response");
  entry.url = StringField(request, "url");
  if (std::string method = StringField(request, "method"); !method.empty()) entry.method = method;
  if (!IsWebAddress(entry.url)) return "not an http, https or ftp address";
  if (!response.at("status").is_number_integer() || response.at("status").get<int>() <= 0)
    return "no response (failed or blocked request)";
  entry.headers = Headers(response);
  if (auto content = response.find("content"); content != response.end() && content->is_object()) {
    std::string text = StringField(*content, "text");
    if (StringField(*content, "encoding") == "base64") {
      std::optional<std::string> bytes = DecodeBase64(text);
      if (!bytes) return "content is not valid base64";
      text = std::move(*bytes);
    }
    entry.body = std::move(text);
  }
  entry.bodySize = entry.body.size();
  entry.bodyDecoded = true;
  entry.lastFetched = ParseIsoTime(StringField(item, "startedDateTime")).value_or(0);
  double milliseconds = item.contains("time") && item["time"].is_number() ? item["time"].get<double>() : 0;
  entry.responseTime = entry.lastFetched;
  if (entry.lastFetched && milliseconds > 0 && milliseconds < 1e9)
    entry.responseTime += static_cast<cache::FileTime>(milliseconds * 10000);
  entry.lastModified = entry.responseTime;
  entry.expires = ExpiryFromHeaders(entry.headers, entry.responseTime);
  return {};
}

// Gives every text of `document` back the bytes that were escaped to make it UTF-8;
// without recursion, as arrays may nest deeper than the stack goes.
void RestoreEscapedTexts(json& document) {
  std::vector<json*> pending{&document};
  while (!pending.empty()) {
    json& value = *pending.back();
    pending.pop_back();
    if (value.is_string()) {
      value = RestoreEscapedBytes(value.get_ref<const std::string&>());
    } else if (value.is_array()) {
      for (json& item : value) pending.push_back(&item);
    } else if (value.is_object()) {
      json restored = json::object();
      for (auto& [key, item] : value.items()) restored[RestoreEscapedBytes(key)] = std::move(item);
      value = std::move(restored);
      for (auto& [key, item] : value.items()) pending.push_back(&item);
    }
  }
}

// The JSON document of `text`. Texts that are not UTF-8 (pages saved in another
// character set) are read with their bytes as they are.
std::optional<json> ParseJson(std::string_view text, std::string& error) {
  bool escaped = !IsValidUtf8(text);
  std::string escapedText = escaped ? EscapeInvalidUtf8(text) : std::string();
  std::string_view input = escaped ? std::string_view(escapedText) : text;
  try {
    json document = json::parse(input);
    if (escaped) RestoreEscapedTexts(document);
    return document;
  } catch (const json::parse_error& failure) {
    size_t offset = failure.byte > 0 ? failure.byte - 1 : 0;  // it counts from 1
    if (offset >= input.size()) {
      error = "not a JSON file (it ends early, after byte " + std::to_string(text.size()) + ")";
    } else {
      if (escaped) offset = OffsetBeforeEscaping(input, offset);
      error = "not a JSON file (syntax error at byte " + std::to_string(offset + 1) + ")";
    }
    return std::nullopt;
  } catch (const json::out_of_range&) {
    error = "not a JSON file (a number too large to read)";
    return std::nullopt;
  }
}

}  // namespace

HarRead ReadHar(std::string_view text) {
  HarRead read;
  std::optional<json> parsed = ParseJson(text, read.error);
  if (!parsed) return read;
  json& document = *parsed;
  const json* entries = nullptr;
  if (document.is_object() && document.contains("log") && document["log"].is_object() &&
      document["log"].contains("entries") && document["log"]["entries"].is_array())
    entries = &document["log"]["entries"];
  if (!entries) {
    read.error = "no \"log.entries\" list, so not an HTTP archive";
    return read;
  }
  for (const json& item : *entries) {
    ImportedEntry entry;
    std::string reason;
    try {
      reason = ReadEntry(item, entry);
    } catch (const json::exception&) {
      reason = "entry without request or response";
    }
    if (reason.empty())
      read.entries.push_back(std::move(entry));
    else
      ++read.skipped[reason];
  }
  return read;
}

std::optional<cache::FileTime> ParseIsoTime(std::string_view text) {
  std::string time(text);
  int year, month, day, hour, minute, second, used = 0;
  if (std::sscanf(time.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &year, &month, &day, &hour, &minute, &second, &used) !=
          6 ||
      used == 0)
    return std::nullopt;
  std::string_view rest = std::string_view(time).substr(static_cast<size_t>(used));
  cache::FileTime fraction = 0;
  if (rest.starts_with('.')) {
    cache::FileTime scale = 1000000;  // 100-ns units per tenth of a second
    rest.remove_prefix(1);
    while (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
      fraction += static_cast<cache::FileTime>(rest[0] - '0') * scale;
      scale /= 10;
      rest.remove_prefix(1);
    }
  }
  long offsetSeconds = 0;
  if (rest.size() == 6 && (rest[0] == '+' || rest[0] == '-') && rest[3] == ':') {
    int hours = 0, minutes = 0;
    if (std::sscanf(std::string(rest.substr(1)).c_str(), "%2d:%2d", &hours, &minutes) != 2) return std::nullopt;
    offsetSeconds = (rest[0] == '-' ? -1 : 1) * (hours * 3600L + minutes * 60L);
  } else if (rest != "Z" && !rest.empty()) {
    return std::nullopt;
  }
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) return std::nullopt;
  time_t seconds = timegm(&parts) - offsetSeconds;
  if (seconds < 0) return std::nullopt;
  return cache::FileTimeFromUnixSeconds(seconds) + fraction;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
  std::string out;
  uint32_t bits = 0;
  int count = 0;
  size_t padding = 0;
  for (char c : text) {
    int value;
    if (c >= 'A' && c <= 'Z')
      value = c - 'A';
    else if (c >= 'a' && c <= 'z')
      value = c - 'a' + 26;
    else if (c >= '0' && c <= '9')
      value = c - '0' + 52;
    else if (c == '+' || c == '-')
      value = 62;
    else if (c == '/' || c == '_')
      value = 63;
    else if (c == '=') {
      ++padding;
      continue;
    } else if (c == ' ' || c == '\r' || c == '\n' || c == '\t')
      continue;
    else
      return std::nullopt;
    if (padding) return std::nullopt;  // data after padding
    bits = (bits << 6) | static_cast<uint32_t>(value);
    if (++count == 4) {
      out += static_cast<char>(bits >> 16);
      out += static_cast<char>(bits >> 8);
      out += static_cast<char>(bits);
      bits = 0;
      count = 0;
    }
  }
  if (count == 1 || padding > 2) return std::nullopt;
  if (count == 2) out += static_cast<char>(bits >> 4);
  if (count == 3) {
    out += static_cast<char>(bits >> 10);
    out += static_cast<char>(bits >> 2);
  }
  return out;
}

}  // namespace vantry::import
