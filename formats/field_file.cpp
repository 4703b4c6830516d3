#include "formats/field_file.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "formats/field_line_reduction.h"
#include "formats/field_text.h"
#include "formats/gsi_file.h"
#include "formats/m5_file.h"
#include "formats/text_decoding.h"

#include <algorithm>

namespace velmora {

namespace {

std::size_t lineHolding(std::string_view bytes, std::size_t at) {
    return static_cast<std::size_t>(std::ranges::count(bytes.substr(0, at), '\n')) + 1;
}

std::vector<RecordedLine> recordedLines(std::string_view bytes) {
    NumberedLines lines(bytes);
    const std::optional<NumberedLines::Line> first = lines.next();
    if (!first)
        throw Error("这个文件是空的，里面没有水准仪的观测记录。");
    if (first->text.starts_with("For M5"))
        return readM5Lines(bytes);
    if (first->text.starts_with('*') || isAsciiDigit(first->text.front()))
        return readGsiLines(bytes);
    throw Error("这个文件不是水准仪的观测文件：" + fileLineText(first->number) +
                "既不是 GSI 块（GSI-8、GSI-16），也不是 M5 记录。");
}

} // namespace

std::string_view methodName(LevelingMethod method) {
    return method == LevelingMethod::bffb ? "BFFB" : "BF";
}

std::vector<FieldLine> readFieldFile(std::string_view bytes) {
    if (bytes.size() > mostTableBytes)
        throw Error("文件太大：观测文件最多 8 MB（" + countText(mostTableBytes) +
                    " 字节），这个文件更大，不是水准仪的观测文件。");
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        throw Error(fileLineText(lineHolding(bytes, nul)) +
                    "有空字符（NUL）：这不是水准仪的观测文件，像是程序、图片等二进制文件。");
    const std::vector<RecordedLine> recorded = recordedLines(bytes);
    if (recorded.empty())
        throw Error("文件里没有一条水准线：GSI 文件的线从 WI 41 的块开始，M5 文件的线从 "
                    "Start-Line 记录开始。");
    std::vector<FieldLine> lines;
    for (std::size_t k = 0; k < recorded.size(); ++k)
        lines.push_back(reducedLine(recorded[k], k + 1));
    return lines;
}

bool isFieldFile(std::string_view bytes) {
    NumberedLines lines(bytes);
    const std::optional<NumberedLines::Line> first = lines.next();
    if (!first)
        return false;
    std::string_view start = first->text;
    if (start.starts_with("For M5"))
        return true;
    if (start.starts_with('*'))
        start.remove_prefix(1);
    constexpr std::size_t wordHead = 6; // the word index and its information
    return start.size() > wordHead &&
           std::ranges::all_of(start.substr(0, wordHead),
                               [](char c) { return isAsciiDigit(c) || c == '.'; }) &&
           (start[wordHead] == '+' || start[wordHead] == '-');
}

} // namespace velmora
