#pragma once

#include <QString>

#include <string_view>

namespace runtime {

// Returns UTF-8 text, as the handlers and tables hold it, as a QString.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace runtime
