#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class TextEncoding { utf8, utf16LittleEndian, utf16BigEndian, gb18030 };

// `bytes` in `encoding`, converted to UTF-8 by the system's own converter (iconv on Linux, the
// code pages of Windows); nothing where some of the bytes are no text in that encoding. Raises
// Error where this system cannot convert the encoding at all, rather than reading it as a
// narrower one:
//   toUtf8(TextEncoding::gb18030, "\xCB\xAE") -> "水"
//   toUtf8(TextEncoding::utf16LittleEndian, "B\0") -> "B"
//   toUtf8(TextEncoding::utf8, "\x80") -> nothing
//   toUtf8(TextEncoding::gb18030, ...) without a GB18030 converter ->
//   Error "本机无法转换 GB18030 编码的文字：系统缺少这种编码的转换模块。"
std::optional<std::string> toUtf8(TextEncoding encoding, std::string_view bytes);

// The name of `encoding` as users see it in their programs' menus: "UTF-8", "GB18030".
constexpr const char* encodingName(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::utf16LittleEndian:
        return "UTF-16LE";
    case TextEncoding::utf16BigEndian:
        return "UTF-16BE";
    case TextEncoding::gb18030:
        return "GB18030";
    case TextEncoding::utf8:
        break;
    }
    return "UTF-8";
}

// What a user is told where this system cannot convert `encoding` at all.
inline std::string noConverterMessage(TextEncoding encoding) {
    return std::string("本机无法转换 ") + encodingName(encoding) +
           " 编码的文字：系统缺少这种编码的转换模块。";
}

} // namespace velmora
