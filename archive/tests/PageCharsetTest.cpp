#include "archive/PageCharset.h"

#include <gtest/gtest.h>

namespace vantry::archive {
namespace {

TEST(KeepStatedCharset, WritesTheChartsetTheHeadersStatedIntoThePage) {
  struct Case {
    const char* html;
    const char* contentType;
    const char* kept;
  };
  const Case cases[] = {
      {"<html><head><title>t</title>", "text/html; charset=windows-1252",
       "<html><head><meta charset=\"windows-1252\"><title>t</title>"},
      {"<!DOCTYPE html><p>x", "text/html;charset=\"ISO-8859-1\"", "<!DOCTYPE html><meta charset=\"ISO-8859-1\"><p>x"},
      {"<p>x", "text/html; charset=utf-8", "<meta charset=\"utf-8\"><p>x"},
      {"<head><meta charset=\"utf-8\"></head>", "text/html; charset=windows-1252",
       "<head><meta charset=\"windows-1252\"></head>"},
      {"<head><meta charset=UTF-8>", "text/html; charset=utf-8", "<head><meta charset=UTF-8>"},
      {"<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">",
       "text/html; charset=koi8-r", "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=koi8-r\">"},
      {"<head><title>t</title>", "text/html", "<head><title>t</title>"},
      {"\xEF\xBB\xBF<head>", "text/html; charset=windows-1252", "\xEF\xBB\xBF<head>"},
      {"<?xml version=\"1.0\"?><html><head>", "application/xhtml+xml; charset=utf-8",
       "<?xml version=\"1.0\"?><html><head>"},
  };
  for (const Case& c : cases) EXPECT_EQ(KeepStatedCharset(c.html, c.contentType), c.kept) << c.html;
}

TEST(KeepStatedCharset, LooksForTheDeclarationWhereBrowsersLookOnly) {
  const std::string late = "<head>" + std::string(1100, ' ') + "<meta charset=\"utf-8\">";
  EXPECT_EQ(KeepStatedCharset(late, "text/html; charset=utf-8"), "<head><meta charset=\"utf-8\">" + late.substr(6));
}

}  // namespace
}  // namespace vantry::archive
