#include "formats/field_line_assembly.h"

#include "core/errors.h"
#include "formats/field_text.h"

#include <array>
#include <span>
#include <utility>

namespace velmora {

namespace {

constexpr std::array bfOrder = {SightSlot::b1, SightSlot::f1};
constexpr std::array bffbOrder = {SightSlot::b1, SightSlot::f1, SightSlot::f2, SightSlot::b2};

std::span<const SightSlot> orderOf(LevelingMethod method) {
    if (method == LevelingMethod::bffb)
        return bffbOrder;
    return bfOrder;
}

bool isBacksight(SightSlot slot) {
    return slot == SightSlot::b1 || slot == SightSlot::b2;
}

std::string slotName(SightSlot slot) {
    switch (slot) {
    case SightSlot::b1:
        return "B1";
    case SightSlot::f1:
        return "F1";
    case SightSlot::f2:
        return "F2";
    case SightSlot::b2:
        break;
    }
    return "B2";
}

// "BF 测站的读数应依次为 B1、F1"
std::string orderText(LevelingMethod method) {
    std::string text = std::string(methodName(method)) + " 测站的读数应依次为 ";
    std::string_view separator;
    for (const SightSlot slot : orderOf(method)) {
        text += std::string(separator) + slotName(slot);
        separator = "、";
    }
    return text;
}

} // namespace

LineAssembly::LineAssembly(LevelingMethod method, std::size_t fileLine) {
    line_.fileLine = fileLine;
    line_.method = method;
}

const std::string& LineAssembly::chainPoint() const {
    if (line_.stations.empty())
        return line_.start.point;
    return line_.stations.back().foresights.front().point;
}

std::string LineAssembly::stationForesight() const {
    if (station_.foresights.empty())
        return {};
    return station_.foresights.front().point;
}

SightSlot LineAssembly::nextSlot(bool backsight) const {
    if (backsight)
        return station_.backsights.empty() ? SightSlot::b1 : SightSlot::b2;
    return station_.foresights.empty() ? SightSlot::f1 : SightSlot::f2;
}

std::size_t LineAssembly::sightsRead() const {
    return station_.backsights.size() + station_.foresights.size();
}

void LineAssembly::addSight(SightSlot slot, Sight sight, std::size_t fileLine) {
    if (!started_)
        throw Error(fileLineText(fileLine) +
                    "：一条线应从起点和它的高程开始（GSI 的 WI 83、M5 的 Z），这里却先有读数。");
    const std::span<const SightSlot> order = orderOf(line_.method);
    if (sightsRead() == order.size() || order[sightsRead()] != slot)
        throw Error(fileLineText(fileLine) + "：" + orderText(line_.method) +
                    "，然后结束这一站；这里的读数 " + slotName(slot) + " 不合这个次序。");
    (isBacksight(slot) ? station_.backsights : station_.foresights).push_back(std::move(sight));
}

void LineAssembly::checkComplete(std::size_t fileLine, std::string_view ending) const {
    const std::span<const SightSlot> order = orderOf(line_.method);
    if (sightsRead() == order.size())
        return;
    const SightSlot missing = order[sightsRead()];
    throw Error(fileLineText(fileLine) + "：" + std::string(ending) + "，但缺少" +
                (isBacksight(missing) ? "后视" : "前视") + "读数 " + slotName(missing) + "（" +
                orderText(line_.method) + "）。");
}

void LineAssembly::addEnd(StationEnd end, std::size_t fileLine) {
    if (!started_) {
        line_.start = std::move(end);
        started_ = true;
        return;
    }
    checkComplete(fileLine, "这一站在这里结束");
    station_.end = std::move(end);
    line_.stations.push_back(std::exchange(station_, {}));
    repeating_ = false;
}

void LineAssembly::repeatStation(std::size_t fileLine) {
    if (sightsRead() > 0)
        throw Error(fileLineText(fileLine) +
                    "：测站重测（Station repeated）出现在一站的读数中间，分不出哪些读数作废。");
    if (repeating_)
        return;
    if (line_.stations.empty())
        throw Error(fileLineText(fileLine) +
                    "：测站重测（Station repeated）之前这条线还没有测站，没有可重测的一站。");
    line_.stations.pop_back();
    repeating_ = true;
}

RecordedLine LineAssembly::finished(std::size_t fileLine) && {
    if (sightsRead() > 0) {
        checkComplete(fileLine, "这条线在这里结束");
        throw Error(fileLineText(fileLine) +
                    "：这条线在这里结束，但最后一站的读数之后没有结束这一站的高程（GSI 的 WI "
                    "83、M5 的 Z）。");
    }
    if (repeating_)
        throw Error(fileLineText(fileLine) +
                    "：这条线在这里结束，但测站重测（Station repeated）之后没有重测的一站。");
    if (line_.stations.empty())
        throw Error(fileLineText(line_.fileLine) + "开始的这条线没有一个测站。");
    return std::move(line_);
}

} // namespace velmora
