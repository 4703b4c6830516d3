#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The largest table file that is read: 8 MiB holds the largest route many times over, in any
// encoding, so a larger file is not a route table. A caller need not read more of a file than
// mostTableBytes + 1 bytes: that many are refused for the size as the whole file would be.
inline constexpr std::size_t mostTableBytes = 8u << 20u;

// The text of a table file as UTF-8, its encoding decided from the bytes as a whole: a UTF-16 byte
// order mark (little or big endian) means UTF-16; otherwise bytes that are valid UTF-8 are UTF-8,
// with or without a byte order mark; anything else is GB18030, which is what a Chinese
// spreadsheet saves as "CSV" (GBK is a part of it). The byte order mark is not part of the text.
// The system's own converter does the decoding (platform/text_conversion.h).
//   decodedText("BM1,10") -> "BM1,10"
//   decodedText("\xEF\xBB\xBF" "BM1") -> "BM1"
//   decodedText("\xFF\xFE" "B\0M\0" (UTF-16LE)) -> "BM"
//   decodedText("\xCB\xAE\xD7\xBC\xB5\xE3" (GB18030)) -> "水准点"
// Raises Error for more than mostTableBytes, for a NUL character (the file is no text) and for
// bytes that are no text in the encoding chosen:
//   decodedText("\x80") raises "无法识别文件的文字编码：..."
std::string decodedText(std::string_view bytes);

} // namespace velmora
