#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace vantry::qtutil {

// The one conversion between the core's bytes and the widgets' text.

// Bytes of the store shown as text: UTF-8 when they are valid UTF-8, else Latin-1, so
// every byte shows as one character and nothing is lost.
QString QStringFromBytes(std::string_view bytes);

// Text typed by the user, as the core's bytes (UTF-8).
std::string BytesFromQString(const QString& text);

}  // namespace vantry::qtutil
