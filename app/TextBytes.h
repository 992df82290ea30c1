#pragma once

#include <QString>
#include <string>
#include <string_view>

// Bytes of the core shown as text: UTF-8, or Latin-1 where they are not valid UTF-8.
QString TextFromBytes(std::string_view bytes);

// Text typed by the user, as the core's bytes (UTF-8).
std::string BytesFromText(const QString& text);
