#pragma once

#include <QString>
#include <string_view>

namespace velmora {

// The program's texts are UTF-8 throughout; Qt wants them as QString.
//   toQString("打 印") -> QString of three characters
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace velmora
