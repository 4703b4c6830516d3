#include "formats/text_decoding.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "platform/text_conversion.h"

#include <optional>
#include <utility>

namespace velmora {

namespace {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16LittleMark = "\xFF\xFE";
constexpr std::string_view utf16BigMark = "\xFE\xFF";

const char* const notText =
    "这个文件不是文字表格：其中有空字符（NUL），像是程序、图片等二进制文件。";
const char* const undecodable =
    "无法识别文件的文字编码：这个文件既不是 UTF-8、带字节顺序标记的 UTF-16，也不是 GB18030 "
    "(GBK) 编码的文字。请在电子表格中另存为“CSV UTF-8”或“文本文件（制表符分隔）”后再读入。";

std::string converted(TextEncoding from, std::string_view bytes) {
    std::optional<std::string> text = toUtf8(from, bytes);
    if (!text)
        throw Error(undecodable);
    return std::move(*text);
}

std::string decodedWithoutMark(std::string_view bytes) {
    if (bytes.starts_with(utf16LittleMark))
        return converted(TextEncoding::utf16LittleEndian, bytes.substr(utf16LittleMark.size()));
    if (bytes.starts_with(utf16BigMark))
        return converted(TextEncoding::utf16BigEndian, bytes.substr(utf16BigMark.size()));
    // Outside UTF-16 a NUL byte is a NUL character in every encoding read here; refused at once, a
    // binary file is called what it is rather than undecodable.
    if (bytes.find('\0') != std::string_view::npos)
        throw Error(notText);
    if (bytes.starts_with(utf8Mark))
        return converted(TextEncoding::utf8, bytes.substr(utf8Mark.size()));
    if (std::optional<std::string> text = toUtf8(TextEncoding::utf8, bytes))
        return std::move(*text);
    return converted(TextEncoding::gb18030, bytes);
}

} // namespace

std::string decodedText(std::string_view bytes) {
    if (bytes.size() > mostTableBytes)
        throw Error("文件太大：表格文件最多 8 MB（" + countText(mostTableBytes) +
                    " 字节），这个文件更大，不是一条水准路线的表格。");
    std::string text = decodedWithoutMark(bytes);
    if (text.find('\0') != std::string::npos)
        throw Error(notText);
    return text;
}

} // namespace velmora
