#include "formats/misclosure_limits.h"

#include "core/number_text.h"

#include <cmath>

namespace velmora {

MisclosureCheck checkMisclosure(float misclosure, float totalLength) {
    MisclosureCheck check;
    check.misclosureMillimetres = misclosure * 1000.0f;
    check.kilometres = totalLength / 1000.0f;
    check.limitsKnown = check.kilometres >= 0.0f;
    const float root = std::sqrt(check.kilometres);
    const std::array<std::string_view, 5> grades = {"二等", "三等", "四等", "五等", "图根"};
    const std::array<float, 5> coefficients = {4.0f, 12.0f, 20.0f, 30.0f, 40.0f};
    std::string_view finest;
    for (std::size_t g = 0; g < grades.size(); ++g) {
        GradeLimit& limit = check.grades[g];
        limit = {grades[g], coefficients[g], coefficients[g] * root, false};
        limit.met =
            check.limitsKnown && std::abs(check.misclosureMillimetres) <= limit.limitMillimetres;
        if (limit.met && finest.empty())
            finest = limit.grade;
    }
    if (!check.limitsKnown)
        check.verdict = "路线全长为负，无法计算平地限差";
    else if (finest.empty())
        check.verdict = "超出图根限差";
    else
        check.verdict.append("满足").append(finest).append("限差");
    return check;
}

std::string misclosureLimitsText(const LevelingRoute& route) {
    if (!route.resultsReached)
        return {};
    const MisclosureCheck check = checkMisclosure(route.misclosure, route.totalLength);
    std::string text = "闭合差 fh = ";
    text.append(roundedFixedText(check.misclosureMillimetres, 2))
        .append(" 毫米，路线全长 L = ")
        .append(fixedText(check.kilometres, 3))
        .append(" 千米\n");
    if (check.limitsKnown) {
        text += "平地限差 ±k√L（毫米）：\n";
        for (const GradeLimit& limit : check.grades)
            text.append(limit.grade)
                .append(" ±")
                .append(fixedText(limit.limitMillimetres, 1))
                .append(limit.met ? " 合格\n" : " 超限\n");
    }
    return text += check.verdict;
}

} // namespace velmora
