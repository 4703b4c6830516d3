#include "dialogue/text_decoding.h"

#include "core/errors.h"
#include "core/number_text.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

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

// One iconv conversion descriptor, closed however the conversion ends.
class Converter {
public:
    explicit Converter(const char* from)
        : descriptor_(iconv_open("UTF-8", from)) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open reports a failure as (iconv_t) -1.
        if (descriptor_ == reinterpret_cast<iconv_t>(-1))
            throw Error(std::string("本机无法转换 ") + from +
                        " 编码的文字：系统缺少这种编码的转换模块。");
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { iconv_close(descriptor_); }

    // The bytes in UTF-8, or nothing when some of them are no text in this encoding.
    bool convert(std::string_view bytes, std::string& text) {
        // Every encoding read here takes at most 4 UTF-8 bytes for each 2 of its own, except
        // GB18030 and UTF-8, whose single bytes stay single: 3 bytes out for each byte in is room
        // enough.
        std::vector<char> out(bytes.size() * 3 + 4);
        // iconv's interface takes a non-const input pointer but never writes through it.
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char* outAt = out.data();
        std::size_t outLeft = out.size();
        if (iconv(descriptor_, &in, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(descriptor_, nullptr, nullptr, &outAt, &outLeft) == static_cast<std::size_t>(-1))
            return false;
        text.assign(out.data(), outAt);
        return true;
    }

private:
    iconv_t descriptor_;
};

std::string converted(const char* from, std::string_view bytes) {
    std::string text;
    if (!Converter(from).convert(bytes, text))
        throw Error(undecodable);
    return text;
}

std::string decodedWithoutMark(std::string_view bytes) {
    if (bytes.starts_with(utf16LittleMark))
        return converted("UTF-16LE", bytes.substr(utf16LittleMark.size()));
    if (bytes.starts_with(utf16BigMark))
        return converted("UTF-16BE", bytes.substr(utf16BigMark.size()));
    // Outside UTF-16 a NUL byte is a NUL character in every encoding read here; refused at once, a
    // binary file is called what it is rather than undecodable.
    if (bytes.find('\0') != std::string_view::npos)
        throw Error(notText);
    if (bytes.starts_with(utf8Mark))
        return converted("UTF-8", bytes.substr(utf8Mark.size()));
    std::string text;
    if (Converter("UTF-8").convert(bytes, text))
        return text;
    return converted("GB18030", bytes);
}

} // namespace

std::string decodedText(std::string_view bytes) {
    if (bytes.size() > mostTableBytes)
        throw Error("文件太大：表格文件最多 8 MB（" +
                    integerText(static_cast<long>(mostTableBytes)) +
                    " 字节），这个文件更大，不是一条水准路线的表格。");
    std::string text = decodedWithoutMark(bytes);
    if (text.find('\0') != std::string::npos)
        throw Error(notText);
    return text;
}

} // namespace velmora
