#include "core/errors.h"
#include "platform/text_conversion.h"

#include <windows.h>

namespace velmora {

namespace {

// GB18030 as a whole. Code page 936 is only its two-byte part (GBK), so where 54936 is missing
// the text is refused rather than read as GBK.
constexpr UINT gb18030CodePage = 54936;

std::optional<std::wstring> wideFromCodePage(UINT codePage, std::string_view bytes) {
    if (bytes.empty())
        return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int wideSize =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (wideSize == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), wideSize);
    return wide;
}

// UTF-16 is the system's own wide text, so its code units need only their byte order.
std::optional<std::wstring> wideFromUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::wstring wide(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        wide[i] = static_cast<wchar_t>(bigEndian ? (first << 8u) | second : (second << 8u) | first);
    }
    return wide;
}

// Nothing for a lone surrogate, which is no character.
std::optional<std::string> utf8FromWide(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    const int size = static_cast<int>(wide.size());
    const int utf8Size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size,
                                             nullptr, 0, nullptr, nullptr);
    if (utf8Size == 0)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(utf8Size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, text.data(), utf8Size,
                        nullptr, nullptr);
    return text;
}

} // namespace

std::optional<std::string> toUtf8(TextEncoding encoding, std::string_view bytes) {
    std::optional<std::wstring> wide;
    switch (encoding) {
    case TextEncoding::utf8:
        if (!wideFromCodePage(CP_UTF8, bytes))
            return std::nullopt;
        return std::string(bytes);
    case TextEncoding::utf16LittleEndian:
    case TextEncoding::utf16BigEndian:
        wide = wideFromUtf16(bytes, encoding == TextEncoding::utf16BigEndian);
        break;
    case TextEncoding::gb18030:
        if (IsValidCodePage(gb18030CodePage) == 0)
            throw Error(noConverterMessage(encoding));
        wide = wideFromCodePage(gb18030CodePage, bytes);
        break;
    }
    if (!wide)
        return std::nullopt;
    return utf8FromWide(*wide);
}

} // namespace velmora
