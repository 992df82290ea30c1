#include "bench/archive/SyntheticSite.h"

#include <random>

namespace vantry::bench {
namespace {

constexpr int kFolders = 20;
constexpr const char* kHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";

std::string PagePath(int page) {
  return "/f" + std::to_string(page % kFolders) + "/page" + std::to_string(page) + ".html";
}

std::string ImagePath(int image) { return "/img/pic" + std::to_string(image) + ".gif"; }

std::string Filler(std::mt19937& random, std::size_t bytes) {
  static const char* kWords[] = {"cache", "offline", "archive",   "page",   "the",    "of",
                                 "copy",  "link",    "reference", "server", "folder", "document"};
  std::string text;
  while (text.size() < bytes) {
    text += kWords[random() % 12];
    text += random() % 9 == 0 ? ".\n" : " ";
  }
  return text;
}

std::string MakePage(std::mt19937& random, const std::string& origin, int page, int pages, int images) {
  const std::size_t targetSize = 20 * 1024 + random() % (30 * 1024);
  const int folder = page % kFolders;
  std::string html = "<html><head><title>Page " + std::to_string(page) + "</title></head><body>\n";
  while (html.size() < targetSize) {
    const int other = static_cast<int>(random() % pages);
    const int otherFolder = other % kFolders;
    switch (random() % 4) {
      case 0:  // absolute address
        html += "<a href=\"" + origin + PagePath(other) + "\">absolute</a>\n";
        break;
      case 1:  // relative, same or other folder
        html += otherFolder == folder ? "<a href=\"page" + std::to_string(other) + ".html\">near</a>\n"
                                      : "<a href=\"../f" + std::to_string(otherFolder) + "/page" +
                                            std::to_string(other) + ".html\">far</a>\n";
        break;
      case 2:
        html += "<img src=\"../img/pic" + std::to_string(random() % images) + ".gif\" alt=\"x\">\n";
        break;
      default:
        html += "<p>" + Filler(random, 600) + "</p>\n";
        break;
    }
  }
  return html + "</body></html>\n";
}

}  // namespace

std::vector<std::string> CacheSyntheticSite(cache::UrlCacheStore& store, const std::string& origin, int pages,
                                            int images) {
  std::mt19937 random(1250);
  std::vector<std::string> urls;
  for (int i = 0; i < pages; ++i) {
    urls.push_back(origin + PagePath(i));
    store.AddEntry(cache::NewEntry{
        .url = urls.back(), .content = MakePage(random, origin, i, pages, images), .headers = kHeaders});
  }
  for (int i = 0; i < images; ++i) {
    urls.push_back(origin + ImagePath(i));
    store.AddEntry(cache::NewEntry{.url = urls.back(),
                                   .content = "GIF89a" + std::string(2000 + random() % 20000, '\x55'),
                                   .headers = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n"});
  }
  return urls;
}

std::string PageWithReferences(int links, int images) {
  std::mt19937 random(500);
  std::string html = "<html><body>\n";
  for (int i = 0; i < std::max(links, images); ++i) {
    if (i < images) html += "<img src=\"img/pic" + std::to_string(i) + ".gif\">\n";
    if (i < links) html += "<a href=\"page" + std::to_string(i) + ".html\">page " + std::to_string(i) + "</a>\n";
    html += "<p>" + Filler(random, 40) + "</p>\n";
  }
  return html + "</body></html>\n";
}

}  // namespace vantry::bench
