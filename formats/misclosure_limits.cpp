#include "formats/misclosure_limits.h"

#include "core/number_text.h"

#include <cmath>

namespace velmora {

namespace {

// Above this many stations a kilometre the ground is hilly, and the station count limits the
// misclosure better than the length does.
constexpr float hillyStationsPerKilometre = 16.0f;

// Fills `limits` with k * root for each grade and returns the finest grade met, or nothing.
template <std::size_t Grades>
std::string_view judge(std::array<GradeLimit, Grades>& limits,
                       const std::array<std::string_view, Grades>& grades,
                       const std::array<float, Grades>& coefficients, float root,
                       float misclosureMillimetres, bool known) {
    std::string_view finest;
    for (std::size_t g = 0; g < Grades; ++g) {
        GradeLimit& limit = limits[g];
        limit = {grades[g], coefficients[g], coefficients[g] * root, false};
        limit.met = known && std::abs(misclosureMillimetres) <= limit.limitMillimetres;
        if (limit.met && finest.empty())
            finest = limit.grade;
    }
    return finest;
}

std::string verdictOf(std::string_view finest) {
    if (finest.empty())
        return "超出图根限差";
    return std::string("满足").append(finest).append("限差");
}

std::string ruleOf(const MisclosureCheck& check) {
    if (!check.limitsKnown)
        return "路线全长为负，无法计算每公里的测站数，按平地限差评定";
    if (std::isinf(check.stationsPerKilometre))
        return "每公里的测站数太多，超出了本程序能计算的范围，按山地限差评定";
    const std::string_view comparison = check.hilly ? "多于" : "不多于";
    const std::string_view ground = check.hilly ? "山地" : "平地";
    return "每公里 " + fixedText(check.stationsPerKilometre, 1) + " 站，" +
           std::string(comparison) + " " + generalText(hillyStationsPerKilometre) + " 站，按" +
           std::string(ground) + "限差评定";
}

void appendLimitLines(std::string& text, const auto& limits) {
    for (const GradeLimit& limit : limits)
        text.append(limit.grade)
            .append(" ±")
            .append(fixedText(limit.limitMillimetres, 1))
            .append(limit.met ? " 合格\n" : " 超限\n");
}

} // namespace

MisclosureCheck checkMisclosure(float misclosure, float totalLength, std::optional<long> stations) {
    MisclosureCheck check;
    check.misclosureMillimetres = misclosure * 1000.0f;
    check.kilometres = totalLength / 1000.0f;
    check.limitsKnown = check.kilometres >= 0.0f;
    const std::string_view flatFinest = judge(
        check.grades, {"二等", "三等", "四等", "五等", "图根"}, {4.0f, 12.0f, 20.0f, 30.0f, 40.0f},
        std::sqrt(check.kilometres), check.misclosureMillimetres, check.limitsKnown);
    check.verdict = check.limitsKnown ? verdictOf(flatFinest) : "路线全长为负，无法计算平地限差";
    if (!stations)
        return check;
    check.stations = stations;
    const auto n = static_cast<float>(*stations);
    check.stationsPerKilometre = n / check.kilometres;
    const std::string_view hillyFinest =
        judge(check.hillyGrades, {"三等", "四等", "图根"}, {4.0f, 6.0f, 12.0f}, std::sqrt(n),
              check.misclosureMillimetres, true);
    // A length that is 0 as a single, of either sign, leaves the stations a kilometre unbounded.
    check.hilly = check.limitsKnown && (std::isinf(check.stationsPerKilometre) ||
                                        check.stationsPerKilometre > hillyStationsPerKilometre);
    check.rule = ruleOf(check);
    if (check.hilly)
        check.verdict = verdictOf(hillyFinest);
    return check;
}

std::string misclosureLimitsText(const LevelingRoute& route) {
    if (!route.resultsReached)
        return {};
    const MisclosureCheck check =
        checkMisclosure(route.misclosure, route.totalLength, totalStations(route.sections));
    std::string text = "闭合差 fh = ";
    text.append(roundedFixedText(check.misclosureMillimetres, 2))
        .append(" 毫米，路线全长 L = ")
        .append(fixedText(check.kilometres, 3))
        .append(" 千米\n");
    if (check.limitsKnown) {
        text += "平地限差 ±k√L（毫米）：\n";
        appendLimitLines(text, check.grades);
    }
    if (check.stations) {
        text.append("测站数 n = ").append(integerText(*check.stations)).append("\n");
        text += "山地限差 ±k√n（毫米）：\n";
        appendLimitLines(text, check.hillyGrades);
        text.append(check.rule).append("\n");
    }
    return text += check.verdict;
}

} // namespace velmora
