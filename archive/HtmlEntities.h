#pragma once

#include <string>
#include <string_view>

namespace vantry::archive {

// The text of an attribute value with its character references decoded: the five of XML
// (&amp; &lt; &gt; &quot; &apos;) and numeric ones (&#38; &#x26;, as UTF-8). Others stay.
std::string DecodeAttributeValue(std::string_view raw);

// Appends `text` written as the value of an attribute quoted with `quote` ('"' or '\''): '&' and
// the quote character become character references.
void AppendAttributeValue(std::string& out, std::string_view text, char quote);

}  // namespace vantry::archive
