#pragma once

// Header blocks and cookie files of the sizes browsers store today, for the tests of the
// "CacheEntry" and "Cookie" pages.
#include <string>
#include <vector>

#include "cache/store/CookieFile.h"
#include "cache/store/UrlCacheStore.h"

namespace vantry::inspect {

// The lines of a response header, without the empty line that ends the block.
struct HeaderSample {
  const char* name;
  std::vector<std::string> lines;
};

// A static file from a small server, an API's JSON answer and a page behind a CDN with a
// content security policy of 400 characters.
inline const std::vector<HeaderSample>& HeaderSamples() {
  static const std::vector<HeaderSample> samples = {
      {"style sheet, 8 lines",
       {"HTTP/1.1 200 OK", "Server: SimpleHTTP/0.6 Python/3.11.7", "Date: Mon, 07 Dec 2026 07:47:28 GMT",
        "Content-type: text/css", "Content-Length: 22", "Last-Modified: Mon, 07 Dec 2026 07:22:16 GMT",
        "Cache-Control: public, max-age=86400", "X-Corpus: port8082"}},
      {"JSON answer, 12 lines",
       {"HTTP/1.1 200 OK", "Content-Type: application/json; charset=utf-8", "Content-Length: 1432",
        "Date: Tue, 04 Mar 2025 09:12:44 GMT", "Cache-Control: private, max-age=60",
        "ETag: W/\"598-rjmCd3R1wqzV2G1QfJ0U2mXc0sM\"", "Vary: Accept-Encoding, Origin",
        "Access-Control-Allow-Origin: *", "X-Content-Type-Options: nosniff",
        "Strict-Transport-Security: max-age=31536000; includeSubDomains",
        "X-Request-Id: 6c1f2a7e-3b9d-4e0a-9f5c-2d8e7b1a4c33", "Server: nginx"}},
      {"page behind a CDN, 25 lines",
       {"HTTP/1.1 200 OK",
        "Content-Type: text/html; charset=utf-8",
        "Content-Length: 48213",
        "Connection: keep-alive",
        "Date: Wed, 12 Feb 2025 18:03:51 GMT",
        "Last-Modified: Wed, 12 Feb 2025 17:58:02 GMT",
        "ETag: \"a1b2c3d4e5f60718293a4b5c6d7e8f90\"",
        "Cache-Control: public, max-age=300, stale-while-revalidate=60",
        "Age: 117",
        "Accept-Ranges: bytes",
        "Vary: Accept-Encoding",
        "Server: AmazonS3",
        "X-Cache: Hit from cloudfront",
        "Via: 1.1 3f0c2a9d8e7b6a5c4d3e2f1a0b9c8d7e.cloudfront.net (CloudFront)",
        "X-Amz-Cf-Pop: FRA56-P4",
        "X-Amz-Cf-Id: Jq2xv3KJHk9Qp0bL5nD8wY7cT6rS1eF4gH3iA2zU9oM8vN7bC6xZ5q==",
        "Content-Security-Policy: default-src 'self'; script-src 'self' 'unsafe-inline' "
        "https://www.googletagmanager.com https://cdn.jsdelivr.net https://static.cloudflareinsights.com; "
        "style-src 'self' 'unsafe-inline' https://fonts.googleapis.com; img-src 'self' data: https:; "
        "font-src 'self' https://fonts.gstatic.com; connect-src 'self' https://www.google-analytics.com "
        "https://region1.google-analytics.com; frame-ancestors 'none'; base-uri 'self'; form-action 'self'",
        "Strict-Transport-Security: max-age=63072000; includeSubDomains; preload",
        "X-Content-Type-Options: nosniff",
        "X-Frame-Options: DENY",
        "Referrer-Policy: strict-origin-when-cross-origin",
        "Permissions-Policy: camera=(), microphone=(), geolocation=(), interest-cohort=()",
        "Cross-Origin-Opener-Policy: same-origin",
        "Alt-Svc: h3=\":443\"; ma=86400",
        "X-Served-By: cache-fra-eddf8230098-FRA"}},
  };
  return samples;
}

// The header block as the store keeps it: CR LF after every line, an empty line, and the
// terminating byte.
inline std::string StoredHeader(const HeaderSample& sample) {
  std::string block;
  for (const std::string& line : sample.lines) block += line + "\r\n";
  return block + "\r\n" + std::string(1, '\0');
}

// `count` cookies of one shop: every third a session cookie, every fourth secure, some with
// percent escapes or long values.
inline std::vector<cache::Cookie> ShopCookies(int count) {
  std::vector<cache::Cookie> cookies;
  for (int i = 0; i < count; ++i) {
    cache::Cookie cookie;
    cookie.name = "c" + std::to_string(i) + (i % 2 == 0 ? "_pref" : "_id");
    cookie.value = i % 5 == 1   ? "lang%3Den%7Ctheme%3Ddark"
                   : i % 7 == 3 ? std::string(90, 'v')
                                : "v" + std::to_string(i);
    cookie.domain = i % 4 == 2 ? ".shop.example" : "shop.example";
    cookie.path = i % 6 == 0 ? "/" : "/cart/";
    cookie.flags = i % 4 == 3 ? cache::COOKIE_FLAG_SECURE : 0;
    cookie.expiry = i % 3 == 0 ? 0 : cache::FileTimeFromUnixSeconds(1767225600 + i * 3600);  // from 2026-01-01
    cookie.creation = cache::FileTimeFromUnixSeconds(1735689600 + i);                        // 2025-01-01
    cookies.push_back(cookie);
  }
  return cookies;
}

}  // namespace vantry::inspect
