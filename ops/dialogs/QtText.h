#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vantry {

// Bytes shown in a widget: UTF-8, or Latin-1 when they are not valid UTF-8.
QString ToQString(std::string_view bytes);

// A widget's text as the bytes the commands work with (UTF-8).
std::string ToBytes(const QString& text);

}  // namespace vantry
