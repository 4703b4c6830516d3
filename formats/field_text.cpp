#include "formats/field_text.h"

#include "core/errors.h"
#include "core/number_text.h"

#include <algorithm>

namespace velmora {

namespace {

bool isPrintable(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x20 && byte < 0x7F;
}

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::optional<NumberedLines::Line> NumberedLines::next() {
    while (at_ < text_.size()) {
        const std::size_t end = std::min(text_.find('\n', at_), text_.size());
        std::string_view line = text_.substr(at_, end - at_);
        at_ = end + 1;
        ++number_;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") != std::string_view::npos)
            return Line{number_, line};
    }
    return std::nullopt;
}

std::string fileLineText(std::size_t number) {
    return "第 " + countText(number) + " 行";
}

std::string quotedField(std::string_view field) {
    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    std::string quoted;
    for (const char c : field) {
        if (isPrintable(c)) {
            quoted += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        quoted += "<0x";
        quoted += hexDigits[byte >> 4u];
        quoted += hexDigits[byte & 0xFu];
        quoted += '>';
    }
    return quoted;
}

std::string checkedPointName(std::string_view name, std::size_t fileLine) {
    if (std::ranges::any_of(name, isControl))
        throw Error(fileLineText(fileLine) + "：点名 " + quotedField(name) +
                    " 含有控制字符，不是仪器记录的点名。");
    if (!std::ranges::all_of(name, isPrintable))
        throw Error(fileLineText(fileLine) + "：点名 " + quotedField(name) +
                    " 含有 ASCII 以外的字节，文件没有说明它的文字编码，无法确定这个点名。");
    return std::string(name);
}

} // namespace velmora
