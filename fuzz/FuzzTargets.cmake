# Every fuzz target: its source, the libraries it exercises, the largest input it is given and
# its seed folders (paths from the project root). Included by fuzz/CMakeLists.txt, which builds
# the targets, and by cmake/FuzzTests.cmake, which registers their short runs with the tests.
vantry_fuzz_target(NAME firefox_cache_entry SOURCE FirefoxCacheEntryFuzzer.cpp LIBS vantry_import
  MAX_LEN 65536 SEEDS testdata/corpus/firefox/cache2/entries)
vantry_fuzz_target(NAME simple_cache_entry SOURCE SimpleCacheEntryFuzzer.cpp LIBS vantry_import
  MAX_LEN 65536 SEEDS testdata/corpus/chromium/Default/Cache/Cache_Data)
vantry_fuzz_target(NAME har SOURCE HarFuzzer.cpp LIBS vantry_import
  MAX_LEN 16384 SEEDS fuzz/seeds/har)
vantry_fuzz_target(NAME http_headers SOURCE HttpHeadersFuzzer.cpp LIBS vantry_import
  MAX_LEN 4096 SEEDS fuzz/seeds/http_headers)
vantry_fuzz_target(NAME content_decoding SOURCE ContentDecodingFuzzer.cpp LIBS vantry_import
  MAX_LEN 16384 SEEDS fuzz/seeds/content_decoding)
vantry_fuzz_target(NAME store_cookie_file SOURCE StoreCookieFileFuzzer.cpp LIBS vantry_cache
  MAX_LEN 4096 SEEDS fuzz/seeds/store_cookie_file)
vantry_fuzz_target(NAME cookie_decoding SOURCE CookieDecodingFuzzer.cpp LIBS vantry_inspect
  MAX_LEN 4096 SEEDS fuzz/seeds/store_cookie_file)
vantry_fuzz_target(NAME header_decoding SOURCE HeaderDecodingFuzzer.cpp LIBS vantry_inspect
  MAX_LEN 4096 SEEDS fuzz/seeds/header_decoding)
vantry_fuzz_target(NAME reference_scanner SOURCE ReferenceScannerFuzzer.cpp LIBS vantry_archive
  MAX_LEN 65536 SEEDS testdata/corpus/site)
vantry_fuzz_target(NAME canonical_url SOURCE CanonicalUrlFuzzer.cpp LIBS vantry_archive
  MAX_LEN 4096 SEEDS fuzz/seeds/canonical_url)
vantry_fuzz_target(NAME archive_lines SOURCE ArchiveLinesFuzzer.cpp LIBS vantry_archive
  MAX_LEN 4096 SEEDS fuzz/seeds/archive_lines)
vantry_fuzz_target(NAME date_field SOURCE DateFieldFuzzer.cpp LIBS vantry_dates
  MAX_LEN 256 SEEDS fuzz/seeds/date_field)
vantry_fuzz_target(NAME address_request SOURCE AddressRequestFuzzer.cpp LIBS vantry_lists
  MAX_LEN 1024 SEEDS fuzz/seeds/address_request)
vantry_fuzz_target(NAME cache_storage_entry SOURCE CacheStorageEntryFuzzer.cpp LIBS vantry_import
  MAX_LEN 65536 SEEDS "testdata/corpus/chromium-serviceworker/Service Worker/CacheStorage")
vantry_fuzz_target(NAME simple_cache_index SOURCE SimpleCacheIndexFuzzer.cpp LIBS vantry_import ZLIB::ZLIB
  MAX_LEN 16384 SEEDS fuzz/seeds/simple_cache_index)
vantry_fuzz_target(NAME blockfile_cache SOURCE BlockfileCacheFuzzer.cpp LIBS vantry_import
  MAX_LEN 4096 SEEDS fuzz/seeds/blockfile_cache)
vantry_fuzz_target(NAME profile_lists SOURCE ProfileListsFuzzer.cpp LIBS vantry_import
  MAX_LEN 8192 SEEDS fuzz/seeds/profile_lists)
vantry_fuzz_target(NAME cookie_decryption SOURCE CookieDecryptionFuzzer.cpp LIBS vantry_import
  MAX_LEN 1024 SEEDS fuzz/seeds/cookie_decryption)
