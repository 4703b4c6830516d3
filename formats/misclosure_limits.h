#pragma once

#include "core/leveling_route.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// One grade's allowable misclosure: ±k√L millimetres on flat ground, L the route's length in
// kilometres, or ±k√n on hilly ground, n its number of stations.
struct GradeLimit {
    std::string_view grade;        // "二等" .. "图根"
    float coefficient = 0.0f;      // k
    float limitMillimetres = 0.0f; // k√L or k√n
    bool met = false;              // |fh| <= the limit
};

// A finished route's misclosure against the allowable misclosures, grades finest first. The
// hilly-ground limits go by the number of stations, which only a route whose every section's count
// is known has; without it there are only the flat-ground limits.
struct MisclosureCheck {
    float misclosureMillimetres = 0.0f; // fh * 1000, the single the window shows
    float kilometres = 0.0f;            // L = [s] / 1000
    bool limitsKnown = false;           // false for a negative total length: √L has no value
    std::array<GradeLimit, 5> grades; // 平地: 二等 k = 4, 三等 12, 四等 20, 五等 30, 图根 40
    std::optional<long> stations;          // n, where every section's count is known
    float stationsPerKilometre = 0.0f;     // n / L, with n
    std::array<GradeLimit, 3> hillyGrades; // 山地, with n: 三等 k = 4, 四等 6, 图根 12
    bool hilly = false;                    // the verdict goes by hillyGrades
    std::string rule;    // which limits the verdict goes by and why; empty without n
    std::string verdict; // the finest grade met, or that even 图根 is exceeded
};

// Compares, in single precision, |fh| in millimetres with k * sqrt([s] / 1000) for each grade,
// and with n given, with k * sqrt(n) as well. The verdict goes by the hilly limits when the route
// has more than 16 stations a kilometre (n / L > 16 in single precision), else by the flat ones;
// grades without a hilly limit (二等, 五等) are not judged by it. The unrounded values are
// compared, so a misclosure shown as "1.80" may still exceed a limit shown as "1.8", and a route
// of 16.04 stations a kilometre, shown as "16.0", is judged as hilly. For the worked route
// (fh = 0.0100002 m, [s] = 200 m):
//   without n: misclosureMillimetres -> 10.0002f, kilometres -> 0.2f,
//     limits 1.789, 5.367, 8.944, 13.42, 17.89: 二等 to 四等 not met, 五等 and 图根 met,
//     verdict -> "满足五等限差", rule empty
//   n = 4: 20 stations a kilometre, hilly limits 8, 12, 24: 三等 not met, 四等 and 图根 met,
//     hilly, rule -> "每公里 20.0 站，多于 16 站，按山地限差评定", verdict -> "满足四等限差"
//   n = 3: 15 stations a kilometre, rule -> "每公里 15.0 站，不多于 16 站，按平地限差评定",
//     verdict -> "满足五等限差"
// fh = 0.05 m on 1 km -> verdict "超出图根限差"; [s] = -100 m -> limitsKnown false and verdict
// "路线全长为负，无法计算平地限差", and with n the rule
// "路线全长为负，无法计算每公里的测站数，按平地限差评定". A length so near 0 that n / L is beyond a
// single is judged as hilly, with the rule
// "每公里的测站数太多，超出了本程序能计算的范围，按山地限差评定".
MisclosureCheck checkMisclosure(float misclosure, float totalLength, std::optional<long> stations);

// A few lines for the misclosure field's tooltip and accessible description: fh and L, each
// grade's flat-ground limit to one decimal with 合格 or 超限, where the stations are known n, each
// hilly-ground limit and the rule, and the verdict. Empty while the route has no results. For the
// worked route:
//   "闭合差 fh = 10.00 毫米，路线全长 L = 0.200 千米\n平地限差 ±k√L（毫米）：\n"
//   "二等 ±1.8 超限\n三等 ±5.4 超限\n四等 ±8.9 超限\n五等 ±13.4 合格\n图根 ±17.9 合格\n"
//   "满足五等限差"
// and with 2 stations in each section, the same up to 图根's line, then
//   "测站数 n = 4\n山地限差 ±k√n（毫米）：\n三等 ±8.0 超限\n四等 ±12.0 合格\n图根 ±24.0 合格\n"
//   "每公里 20.0 站，多于 16 站，按山地限差评定\n满足四等限差"
std::string misclosureLimitsText(const LevelingRoute& route);

} // namespace velmora
