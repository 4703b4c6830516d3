#include "formats/field_route.h"

#include "core/leveling_route.h"
#include "core/number_text.h"

#include <utility>
#include <vector>

namespace velmora {

namespace {

// As many sections as a run's record holds: 32766 points to be determined between A and B.
constexpr std::size_t mostSections = 32767;

std::string pointText(const std::string& name) {
    return name.empty() ? "（无名点）" : name;
}

// The first thing that keeps `numbers` from being a route; empty when nothing does.
std::string obstacle(const std::vector<FieldLine>& lines, const std::vector<std::size_t>& numbers) {
    if (numbers.empty())
        return "请按路线的次序勾选测段：先勾从起始点 A 出发的那条线，再依次勾到闭合点 B 为止。";
    if (numbers.size() > mostSections)
        return "勾选了 " + countText(numbers.size()) + " 条线：本程序最多能计算 " +
               countText(mostSections) + " 段（" + countText(mostSections - 1) + " 个待定点）。";
    std::vector<bool> taken(lines.size());
    const FieldLine* previous = nullptr;
    for (std::size_t place = 1; place <= numbers.size(); ++place) {
        const std::size_t number = numbers[place - 1];
        if (number < 1 || number > lines.size())
            return "文件里没有线号 " + countText(number) + "：这个文件的线号从 1 到 " +
                   countText(lines.size()) + "。";
        if (taken[number - 1])
            return "线号 " + countText(number) + " 勾选了两次：一条线在路线里只能用一次。";
        taken[number - 1] = true;
        const FieldLine& line = lines[number - 1];
        if (const std::string refusal = sectionRefusal(line); !refusal.empty())
            return "线号 " + countText(number) + " 不能使用：" + refusal;
        if (previous != nullptr && line.from != previous->to)
            return "第 " + countText(place) + " 条线（线号 " + countText(number) + "）从 " +
                   pointText(line.from) + " 开始，但上一条线到 " + pointText(previous->to) +
                   " 为止，接不上。";
        previous = &line;
    }
    return {};
}

} // namespace

std::string sectionRefusal(const FieldLine& line) {
    if (!line.usable())
        return line.unusableReason;
    if (line.stationCount() > static_cast<std::size_t>(mostSectionStations))
        return "这条线有 " + countText(line.stationCount()) + " 站，一段最多 " +
               integerText(mostSectionStations) + " 站，超出了本程序能计算的范围。";
    return {};
}

RouteCheck checkRoute(const std::vector<FieldLine>& lines,
                      const std::vector<std::size_t>& numbers) {
    if (std::string problem = obstacle(lines, numbers); !problem.empty())
        return {false, std::move(problem)};
    const FieldLine& first = lines[numbers.front() - 1];
    const FieldLine& last = lines[numbers.back() - 1];
    return {true, "路线从 " + pointText(first.from) + " 到 " + pointText(last.to) + "，共 " +
                      countText(numbers.size()) + " 段，" + countText(numbers.size() - 1) +
                      " 个待定点。"};
}

std::vector<std::size_t> initialRoute(const std::vector<FieldLine>& lines) {
    std::vector<std::size_t> route;
    for (const FieldLine& line : lines)
        if (sectionRefusal(line).empty())
            route.push_back(line.number);
    if (!checkRoute(lines, route).runnable)
        route.clear();
    return route;
}

} // namespace velmora
