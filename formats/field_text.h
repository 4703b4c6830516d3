#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The lines of a field file one by one, each without its line end (LF or CR LF) and with its
// number as an editor counts it from 1. Lines of nothing but blanks are passed over: an
// instrument writes none, an editor often leaves one at the end.
//   lines of "A\r\n\nB" -> {1, "A"}, {3, "B"}, then nothing
class NumberedLines {
public:
    struct Line {
        std::size_t number = 0;
        std::string_view text;
    };

    explicit NumberedLines(std::string_view text)
        : text_(text) {}

    std::optional<Line> next();

    // The number of the file's last line once next() has given nothing: where a file that ends
    // too early is named.
    std::size_t lastNumber() const noexcept { return number_; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t number_ = 0;
};

inline bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// How a message names a line of the file:  fileLineText(12) -> "第 12 行"
std::string fileLineText(std::size_t number);

// A field of the file as a message may quote it: printable ASCII as it stands, any other byte
// as <0xNN>, so that a message is always valid UTF-8.
//   quotedField("aBF") -> "aBF"    quotedField("B\x01\xE1") -> "B<0x01><0xE1>"
std::string quotedField(std::string_view field);

// A point's name as the file gives it, refused with its file line when it holds a control
// character (a byte below 0x20, or 0x7F) or a byte outside ASCII, whose code page the file does
// not tell.
//   checkedPointName("BM1", 3) -> "BM1"
//   checkedPointName("B\tM", 3) raises "第 3 行：点名 B<0x09>M 含有控制字符，不是仪器记录的点名。"
std::string checkedPointName(std::string_view name, std::size_t fileLine);

} // namespace velmora
