#include "formats/gsi_file.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "formats/field_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

namespace velmora {

namespace {

constexpr std::size_t gsi8WordLength = 15;
constexpr std::size_t gsi16WordLength = 23;
// Positions in a word, from 0: the block number of WI 11 and 41, the units digit, the sign and
// the data.
constexpr std::size_t blockNumberAt = 2;
constexpr std::size_t blockNumberLength = 4;
constexpr std::size_t unitAt = 5;
constexpr std::size_t signAt = 6;
constexpr std::size_t dataAt = 7;

constexpr std::array<std::string_view, 15> levellingIndexes = {"32",  "83",  "330", "331", "332",
                                                               "333", "334", "335", "336", "390",
                                                               "391", "571", "572", "573", "574"};

// Two digits, or three where the third is a digit too; 11 and 41 have two, the block number
// follows them.
std::string_view wordIndex(std::string_view word) {
    if (word.starts_with("11") || word.starts_with("41") || word.size() < 3 ||
        !isAsciiDigit(word[2]))
        return word.substr(0, 2);
    return word.substr(0, 3);
}

std::string indexText(std::string_view index) {
    return "WI " + std::string(index);
}

std::vector<std::string_view> wordsOf(std::string_view body, std::size_t wordLength,
                                      std::size_t fileLine) {
    // The blank after the last word is common, and says nothing.
    body = body.substr(0, body.find_last_not_of(' ') + 1);
    std::vector<std::string_view> words;
    for (std::size_t at = 0; at < body.size(); at += wordLength + 1) {
        const std::string number = "第 " + countText(words.size() + 1) + " 个词";
        if (body.size() - at < wordLength)
            throw Error(fileLineText(fileLine) + "：" + number + "不完整：GSI-" +
                        (wordLength == gsi16WordLength ? "16" : "8") + " 的词有 " +
                        countText(wordLength) + " 个字符，这里只有 " + countText(body.size() - at) +
                        " 个。");
        if (at + wordLength < body.size() && body[at + wordLength] != ' ')
            throw Error(fileLineText(fileLine) + "：" + number +
                        "之后应是一个空格，词与词之间以空格分隔。");
        words.push_back(body.substr(at, wordLength));
    }
    return words;
}

bool isNegative(std::string_view word, std::size_t fileLine) {
    if (word[signAt] != '+' && word[signAt] != '-')
        throw Error(fileLineText(fileLine) + "：" + indexText(wordIndex(word)) +
                    " 的第 7 位应是正负号（+ 或 -），这里是 " +
                    quotedField(word.substr(signAt, 1)) + "。");
    return word[signAt] == '-';
}

Nanometres unitOf(std::string_view word, std::size_t fileLine) {
    const std::string index = indexText(wordIndex(word));
    switch (const char unit = word[unitAt]) {
    case '0':
        return nanometresPerMetre / 1'000;
    case '1':
        return nanometresPerFoot / 1'000;
    case '6':
        return nanometresPerMetre / 10'000;
    case '7':
        return nanometresPerFoot / 10'000;
    case '8':
        return nanometresPerMetre / 100'000;
    case '2':
    case '3':
    case '4':
    case '5':
        throw Error(fileLineText(fileLine) + "：" + index + " 的单位代码 " + unit +
                    " 是角度单位，视距、读数和高程不能用角度单位。");
    case '.':
        throw Error(fileLineText(fileLine) + "：" + index +
                    " 没有单位（第 6 位是“.”），读不出它是多长。");
    default:
        throw Error(fileLineText(fileLine) + "：" + index + " 的单位代码 " +
                    quotedField(word.substr(unitAt, 1)) +
                    " 不认识：长度的单位代码只有 0、1、6、7、8。");
    }
}

InstrumentFigure lengthOf(std::string_view word, Nanometres most, std::size_t fileLine) {
    const bool negative = isNegative(word, fileLine);
    return exactFigure(word.substr(dataAt), negative, unitOf(word, fileLine), most,
                       indexText(wordIndex(word)), fileLine);
}

RecordLabel blockLabel(std::string_view word, std::size_t fileLine) {
    const std::string_view number = word.substr(blockNumberAt, blockNumberLength);
    if (!std::ranges::all_of(number, isAsciiDigit))
        throw Error(fileLineText(fileLine) + "：" + indexText(wordIndex(word)) +
                    " 的第 3 到 6 位应是块号，这里是 " + quotedField(number) + "。");
    return "块 " + std::string(number);
}

LevelingMethod methodOf(std::string_view word, std::size_t fileLine) {
    // Checked as in any block, though no message names a line by its block.
    blockLabel(word, fileLine);
    isNegative(word, fileLine);
    switch (word.back()) {
    case '1':
        return LevelingMethod::bf;
    case '2':
        return LevelingMethod::bffb;
    default:
        throw Error(fileLineText(fileLine) + "：线路开始块（WI 41）的测量方法代码 " +
                    quotedField(word.substr(word.size() - 1)) +
                    " 不认识（已知 1 为 BF，2 为 BFFB），无法确定测站读数的次序。");
    }
}

std::optional<SightSlot> chainSlot(std::string_view readingIndex) {
    if (readingIndex == "331")
        return SightSlot::b1;
    if (readingIndex == "332")
        return SightSlot::f1;
    if (readingIndex == "335")
        return SightSlot::b2;
    if (readingIndex == "336")
        return SightSlot::f2;
    return std::nullopt;
}

bool isReadingIndex(std::string_view index) {
    return index.size() == 3 && index.starts_with("33") && index[2] <= '6';
}

struct PointBlock {
    std::string point;
    RecordLabel label;
    std::string_view readingIndex;
    std::optional<InstrumentFigure> reading;
    std::optional<InstrumentFigure> distance;
    std::optional<InstrumentFigure> height;
    std::optional<InstrumentFigure> distanceBalance;
    std::optional<InstrumentFigure> totalDistance;
};

// The instrument pads a point number with leading zeros to the word's length.
std::string pointNameOf(std::string_view word, std::size_t fileLine) {
    isNegative(word, fileLine);
    const std::string_view name = word.substr(dataAt);
    const std::size_t padding = std::min(name.find_first_not_of('0'), name.size());
    if (padding == name.size())
        throw Error(fileLineText(fileLine) + "：点号（WI 11）是空的。");
    return checkedPointName(name.substr(padding), fileLine);
}

void noteReading(PointBlock& block, std::string_view word, std::string_view index,
                 std::size_t fileLine) {
    if (block.reading)
        throw Error(fileLineText(fileLine) + "：一个块里有两个读数（" +
                    indexText(block.readingIndex) + " 和 " + indexText(index) + "）。");
    block.readingIndex = index;
    block.reading = lengthOf(word, mostSightNanometres, fileLine);
}

// Null for a word the line has no use for.
std::optional<InstrumentFigure>* figureFor(PointBlock& block, std::string_view index) {
    return index == "32"    ? &block.distance
           : index == "83"  ? &block.height
           : index == "573" ? &block.distanceBalance
           : index == "574" ? &block.totalDistance
                            : nullptr;
}

void noteFigure(PointBlock& block, std::string_view word, std::string_view index,
                std::size_t fileLine) {
    std::optional<InstrumentFigure>* const figure = figureFor(block, index);
    if (index == "11" || (figure && *figure))
        throw Error(fileLineText(fileLine) + "：一个块里有两个 " + indexText(index) + "。");
    if (figure)
        *figure =
            lengthOf(word, index == "32" ? mostSightNanometres : mostRunningNanometres, fileLine);
}

PointBlock pointBlockOf(const std::vector<std::string_view>& words, std::size_t fileLine) {
    PointBlock block;
    block.label = blockLabel(words[0], fileLine);
    block.point = pointNameOf(words[0], fileLine);
    for (std::size_t k = 1; k < words.size(); ++k) {
        const std::string_view index = wordIndex(words[k]);
        if (isReadingIndex(index))
            noteReading(block, words[k], index, fileLine);
        else
            noteFigure(block, words[k], index, fileLine);
    }
    return block;
}

void addPointBlock(LineAssembly& line, PointBlock block, std::size_t fileLine) {
    if (block.reading) {
        if (block.height || block.distanceBalance || block.totalDistance)
            throw Error(fileLineText(fileLine) +
                        "：读数块里不应有高程或视距累计（WI 83、573、574），分不出这个块是什么。");
        const std::optional<SightSlot> slot = chainSlot(block.readingIndex);
        // Intermediate sights, set-out and measurement-only readings are outside the chain.
        if (!slot)
            return;
        if (!block.distance)
            throw Error(fileLineText(fileLine) + "：读数（" + indexText(block.readingIndex) +
                        "）没有视距（WI 32）。");
        Sight sight;
        sight.point = std::move(block.point);
        sight.label = std::move(block.label);
        sight.reading = block.reading->value;
        sight.distance = block.distance->value;
        line.addSight(*slot, std::move(sight), fileLine);
        return;
    }
    if (block.distance)
        throw Error(fileLineText(fileLine) + "：视距（WI 32）没有对应的读数。");
    if (!block.height)
        throw Error(fileLineText(fileLine) + "：这个块既没有读数，也没有高程（WI 83）。");
    StationEnd end;
    end.point = std::move(block.point);
    end.label = std::move(block.label);
    end.height = *block.height;
    end.distanceBalance = block.distanceBalance;
    end.totalDistance = block.totalDistance;
    line.addEnd(std::move(end), fileLine);
}

enum class BlockKind { lineStart, point, other };

BlockKind kindOf(std::string_view body, std::size_t fileLine) {
    if (body.size() < 2 || !isAsciiDigit(body[0]) || !isAsciiDigit(body[1]))
        throw Error(fileLineText(fileLine) + "：不是 GSI 块，块应以字码（WI）开头。");
    const std::string_view index = wordIndex(body.substr(0, 3));
    if (index == "41")
        return BlockKind::lineStart;
    if (index == "11")
        return BlockKind::point;
    if (std::ranges::find(levellingIndexes, index) != levellingIndexes.end())
        throw Error(fileLineText(fileLine) + "：这个块以 " + indexText(index) +
                    " 开头，没有点号（WI 11），不知道它属于哪个点。");
    return BlockKind::other;
}

} // namespace

std::vector<RecordedLine> readGsiLines(std::string_view text) {
    std::vector<RecordedLine> lines;
    std::optional<LineAssembly> line;
    NumberedLines blocks(text);
    while (const std::optional<NumberedLines::Line> block = blocks.next()) {
        const bool sixteen = block->text.starts_with('*');
        const std::string_view body = block->text.substr(sixteen ? 1 : 0);
        const BlockKind kind = kindOf(body, block->number);
        if (kind == BlockKind::other)
            continue;
        const std::vector<std::string_view> words =
            wordsOf(body, sixteen ? gsi16WordLength : gsi8WordLength, block->number);
        if (kind == BlockKind::lineStart) {
            const LevelingMethod method = methodOf(words[0], block->number);
            if (line)
                lines.push_back(std::move(*line).finished(block->number));
            line.emplace(method, block->number);
            continue;
        }
        if (!line)
            throw Error(fileLineText(block->number) +
                        "：这个块前面没有线路开始块（WI 41），不知道它属于哪条线。");
        addPointBlock(*line, pointBlockOf(words, block->number), block->number);
    }
    if (line)
        lines.push_back(std::move(*line).finished(blocks.lastNumber()));
    return lines;
}

} // namespace velmora
