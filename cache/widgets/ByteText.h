#pragma once

#include <QString>
#include <string_view>

// Bytes of the store shown as text: UTF-8 when they are valid UTF-8, else Latin-1.
QString QStringFromBytes(std::string_view bytes);
