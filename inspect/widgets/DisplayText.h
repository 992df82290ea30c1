#pragma once

#include <QString>
#include <string_view>

// Bytes from the core as text for a widget: UTF-8 where the bytes form valid UTF-8,
// and each byte of an invalid sequence as its Latin-1 character, so nothing is lost.
QString DisplayText(std::string_view bytes);
