#pragma once

#include <QString>

#include <string_view>

// The core's texts (identifiers, captions, read-outs with "°C" and "µW") are UTF-8.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
