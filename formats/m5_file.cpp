#include "formats/m5_file.h"

#include "core/errors.h"
#include "formats/field_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

namespace velmora {

namespace {

constexpr std::size_t recordWidth = 119;
constexpr std::array<std::size_t, 6> separatorsAt = {6, 16, 48, 71, 94, 117};
// Positions from 0: the address, the block type, the information (the point name in its first
// characters), the three values and the instrument's mark.
constexpr std::size_t addressAt = 11;
constexpr std::size_t addressLength = 5;
constexpr std::size_t typeAt = 17;
constexpr std::size_t typeLength = 3;
constexpr std::size_t informationAt = 21;
constexpr std::size_t informationLength = 27;
constexpr std::size_t nameLength = 8;
constexpr std::size_t firstValueAt = 49;
constexpr std::size_t valueSpacing = 23;
constexpr std::size_t markAt = 118;

constexpr std::string_view startLineText = "Start-Line";

struct Value {
    std::string_view type;
    std::string_view number;
    std::string_view unit;
};

struct Record {
    RecordLabel label;
    std::string_view type;
    std::string_view information;
    std::array<Value, 3> values;
    bool markedErroneous = false;
};

std::string_view trimmed(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return field.substr(first, field.find_last_not_of(' ') - first + 1);
}

Record recordOf(std::string_view line, std::size_t fileLine) {
    if (!line.starts_with("For M5|Adr") || line.size() < recordWidth - 1 ||
        line.size() > recordWidth ||
        !std::ranges::all_of(separatorsAt, [&](std::size_t at) { return line[at] == '|'; }))
        throw Error(fileLineText(fileLine) +
                    "：不是完整的 M5 记录：一条记录有 119 个字符（不算行尾），"
                    "以“For M5|Adr”开头，各栏以“|”分隔。");
    Record record;
    const std::string_view address = trimmed(line.substr(addressAt, addressLength));
    if (address.empty() || !std::ranges::all_of(address, isAsciiDigit))
        throw Error(fileLineText(fileLine) + "：记录的地址（Adr）" + quotedField(address) +
                    " 不是数字。");
    record.label = "记录 " + std::string(address);
    record.type = trimmed(line.substr(typeAt, typeLength));
    record.information = line.substr(informationAt, informationLength);
    for (std::size_t k = 0; k < record.values.size(); ++k) {
        const std::string_view value =
            line.substr(firstValueAt + k * valueSpacing, valueSpacing - 1);
        record.values[k] = {trimmed(value.substr(0, 2)), trimmed(value.substr(3, 14)),
                            trimmed(value.substr(18, 4))};
    }
    const char mark = line.size() > markAt ? line[markAt] : ' ';
    if (mark != ' ' && mark != 'e')
        throw Error(fileLineText(fileLine) + "：第 119 列应是空格或表示有误的 e，这里是 " +
                    quotedField(line.substr(markAt, 1)) + "。");
    record.markedErroneous = mark == 'e';
    return record;
}

Nanometres unitOf(const Value& value, std::size_t fileLine) {
    if (value.unit == "m")
        return nanometresPerMetre;
    if (value.unit == "mm")
        return nanometresPerMetre / 1'000;
    if (value.unit == "ft")
        return nanometresPerFoot;
    throw Error(fileLineText(fileLine) + "：" + quotedField(value.type) + " 的单位 " +
                quotedField(value.unit) + " 不认识：M5 的长度单位是 m、mm 和 ft。");
}

InstrumentFigure figureOf(const Value& value, Nanometres most, std::size_t fileLine) {
    std::string_view number = value.number;
    const bool negative = number.starts_with('-');
    if (negative || number.starts_with('+'))
        number.remove_prefix(1);
    const std::size_t point = std::min(number.find('.'), number.size());
    const std::string_view fraction = number.substr(std::min(point + 1, number.size()));
    Nanometres lastDigit = unitOf(value, fileLine);
    for (std::size_t k = 0; k < fraction.size(); ++k) {
        // An odd number of nanometres would leave half of one in a BFFB mean.
        if (lastDigit % 20 != 0)
            throw Error(fileLineText(fileLine) + "：" + quotedField(value.type) + " 的数值 " +
                        quotedField(value.number) + " 小数位太多，无法精确读出。");
        lastDigit /= 10;
    }
    return exactFigure(std::string(number.substr(0, point)) + std::string(fraction), negative,
                       lastDigit, most, quotedField(value.type), fileLine);
}

enum class Role {
    backsight,
    foresight,
    intermediate,
    distance,
    height,
    backsightTotal,
    foresightTotal,
    other
};

struct RoleName {
    std::string_view english;
    std::string_view german;
    Role role;
};

constexpr std::array<RoleName, 7> roleNames = {{{"Rb", "Lr", Role::backsight},
                                                {"Rf", "Lv", Role::foresight},
                                                {"Rz", "Lz", Role::intermediate},
                                                {"HD", "E", Role::distance},
                                                {"Z", "Z", Role::height},
                                                {"Db", "Db", Role::backsightTotal},
                                                {"Df", "Df", Role::foresightTotal}}};

Role roleOf(std::string_view type) {
    const RoleName* const known = std::ranges::find_if(roleNames, [type](const RoleName& name) {
        return type == name.english || type == name.german;
    });
    return known != roleNames.end() ? known->role : Role::other;
}

bool isReading(Role role) {
    return role == Role::backsight || role == Role::foresight || role == Role::intermediate;
}

struct PointRecord {
    std::string point;
    const Value* reading = nullptr;
    Role readingRole = Role::other;
    std::optional<InstrumentFigure> distance;
    std::optional<InstrumentFigure> height;
    std::optional<InstrumentFigure> backsightTotal;
    std::optional<InstrumentFigure> foresightTotal;
};

void checkUntyped(const Value& value, std::size_t fileLine) {
    if (!value.number.empty() || !value.unit.empty())
        throw Error(fileLineText(fileLine) + "：数值 " + quotedField(value.number) +
                    " 前面没有类型标识。");
}

void noteReading(PointRecord& point, const Value& value, Role role, std::size_t fileLine) {
    if (point.reading)
        throw Error(fileLineText(fileLine) + "：一条记录里有两个读数（" +
                    quotedField(point.reading->type) + " 和 " + quotedField(value.type) + "）。");
    point.reading = &value;
    point.readingRole = role;
}

// Null for a role the line has no use for.
std::optional<InstrumentFigure>* figureFor(PointRecord& point, Role role) {
    return role == Role::distance         ? &point.distance
           : role == Role::height         ? &point.height
           : role == Role::backsightTotal ? &point.backsightTotal
           : role == Role::foresightTotal ? &point.foresightTotal
                                          : nullptr;
}

void noteFigure(PointRecord& point, const Value& value, Role role, std::size_t fileLine) {
    std::optional<InstrumentFigure>* const figure = figureFor(point, role);
    if (!figure)
        return;
    if (*figure)
        throw Error(fileLineText(fileLine) + "：一条记录里有两个 " + quotedField(value.type) +
                    "。");
    *figure = figureOf(value, role == Role::distance ? mostSightNanometres : mostRunningNanometres,
                       fileLine);
}

// The value must outlive the point record, which keeps its reading by address.
void noteValue(PointRecord& point, const Value& value, std::size_t fileLine) {
    if (value.type.empty()) {
        checkUntyped(value, fileLine);
        return;
    }
    const Role role = roleOf(value.type);
    if (isReading(role))
        noteReading(point, value, role, fileLine);
    else
        noteFigure(point, value, role, fileLine);
}

PointRecord pointRecordOf(const Record& record, std::size_t fileLine) {
    PointRecord point;
    point.point = checkedPointName(trimmed(record.information.substr(0, nameLength)), fileLine);
    for (const Value& value : record.values)
        noteValue(point, value, fileLine);
    return point;
}

void addPointRecord(LineAssembly& line, const Record& record, std::size_t fileLine) {
    PointRecord point = pointRecordOf(record, fileLine);
    if (point.readingRole == Role::intermediate)
        return;
    if (point.reading) {
        if (point.height || point.backsightTotal || point.foresightTotal)
            throw Error(fileLineText(fileLine) +
                        "：读数记录里不应有高程或视距总和（Z、Db、Df），分不出这条记录是什么。");
        if (!point.distance)
            throw Error(fileLineText(fileLine) + "：读数 " + quotedField(point.reading->type) +
                        " 没有视距（HD）。");
        const bool backsight = point.readingRole == Role::backsight;
        Sight sight;
        sight.point = !point.point.empty() ? std::move(point.point)
                      : backsight          ? line.chainPoint()
                                           : line.stationForesight();
        sight.label = record.label;
        sight.reading = figureOf(*point.reading, mostSightNanometres, fileLine).value;
        sight.distance = point.distance->value;
        sight.markedErroneous = record.markedErroneous;
        line.addSight(line.nextSlot(backsight), std::move(sight), fileLine);
        return;
    }
    if (point.distance)
        throw Error(fileLineText(fileLine) + "：视距（HD）没有对应的读数。");
    if (!point.height)
        throw Error(fileLineText(fileLine) + "：这条点记录既没有读数，也没有高程（Z）。");
    StationEnd end;
    end.point = !point.point.empty() ? std::move(point.point) : line.stationForesight();
    end.label = record.label;
    end.height = *point.height;
    end.backsightTotal = point.backsightTotal;
    end.foresightTotal = point.foresightTotal;
    end.markedErroneous = record.markedErroneous;
    line.addEnd(std::move(end), fileLine);
}

LevelingMethod methodOf(std::string_view startLine, std::size_t fileLine) {
    const std::string_view words = trimmed(startLine.substr(startLineText.size()));
    const std::string_view method = words.substr(0, words.find(' '));
    if (method == "BF")
        return LevelingMethod::bf;
    if (method == "BFFB")
        return LevelingMethod::bffb;
    throw Error(fileLineText(fileLine) + "：Start-Line 的测量方法 " + quotedField(method) +
                " 不认识（已知 BF、BFFB），无法确定测站读数的次序。");
}

// The lines read so far, and the one still open with the file line that started it.
struct M5Lines {
    std::vector<RecordedLine> finished;
    std::optional<LineAssembly> open;
    std::size_t openedAt = 0;
};

void startLine(M5Lines& lines, std::string_view words, std::size_t fileLine) {
    if (lines.open)
        throw Error(fileLineText(fileLine) + "：" + fileLineText(lines.openedAt) +
                    "开始的线还没有 End-Line，这里又开始了一条线。");
    lines.open.emplace(methodOf(words, fileLine), fileLine);
    lines.openedAt = fileLine;
}

void endLine(M5Lines& lines, std::size_t fileLine) {
    if (!lines.open)
        throw Error(fileLineText(fileLine) + "：End-Line 前面没有 Start-Line。");
    lines.finished.push_back(std::move(*lines.open).finished(fileLine));
    lines.open.reset();
}

void repeatStation(M5Lines& lines, std::size_t fileLine) {
    if (!lines.open)
        throw Error(fileLineText(fileLine) + "：测站重测（Station repeated）不在任何一条线里。");
    lines.open->repeatStation(fileLine);
}

// Any other text is the observer's note, which the line does not depend on.
void followText(M5Lines& lines, std::string_view information, std::size_t fileLine) {
    const std::string_view words = trimmed(information);
    if (words.starts_with(startLineText))
        startLine(lines, words, fileLine);
    else if (words.starts_with("End-Line"))
        endLine(lines, fileLine);
    else if (words.starts_with("Station repeated"))
        repeatStation(lines, fileLine);
}

// Code records (KN) carry nothing the line needs.
bool isPointRecord(std::string_view type, std::size_t fileLine) {
    if (type.starts_with("KN"))
        return false;
    if (type != "KD1" && type != "KD2")
        throw Error(fileLineText(fileLine) + "：不认识的记录类型 " + quotedField(type) +
                    "（已知 KD1、KD2、KN、TO）。");
    return true;
}

void checkPointRecordInLine(const M5Lines& lines, std::size_t fileLine) {
    if (!lines.open)
        throw Error(fileLineText(fileLine) +
                    "：这条点记录前面没有 Start-Line，不知道它属于哪条线。");
}

} // namespace

std::vector<RecordedLine> readM5Lines(std::string_view text) {
    M5Lines lines;
    NumberedLines records(text);
    while (const std::optional<NumberedLines::Line> numbered = records.next()) {
        const std::size_t fileLine = numbered->number;
        const Record record = recordOf(numbered->text, fileLine);
        if (record.type == "TO")
            followText(lines, record.information, fileLine);
        else if (isPointRecord(record.type, fileLine)) {
            checkPointRecordInLine(lines, fileLine);
            addPointRecord(*lines.open, record, fileLine);
        }
    }
    if (lines.open)
        throw Error(fileLineText(lines.openedAt) + "开始的这条线到文件末尾（" +
                    fileLineText(records.lastNumber()) + "）也没有 End-Line。");
    return std::move(lines.finished);
}

} // namespace velmora
