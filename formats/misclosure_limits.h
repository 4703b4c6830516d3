#pragma once

#include "core/leveling_route.h"

#include <array>
#include <string>
#include <string_view>

namespace velmora {

// One grade's allowable misclosure on flat ground: ±k√L millimetres, L the route's length in
// kilometres.
struct GradeLimit {
    std::string_view grade;        // "二等" .. "图根"
    float coefficient = 0.0f;      // k
    float limitMillimetres = 0.0f; // k√L
    bool met = false;              // |fh| <= k√L
};

// A finished route's misclosure against the flat-ground limits, grades finest first. Hilly ground
// is limited by the number of stations, which a run never asks for, so it has no limit here.
struct MisclosureCheck {
    float misclosureMillimetres = 0.0f; // fh * 1000, the single the window shows
    float kilometres = 0.0f;            // L = [s] / 1000
    bool limitsKnown = false;           // false for a negative total length: √L has no value
    std::array<GradeLimit, 5> grades;   // 二等 k = 4, 三等 12, 四等 20, 五等 30, 图根 40
    std::string verdict;                // the finest grade met, or that even 图根 is exceeded
};

// Compares, in single precision, |fh| in millimetres with k * sqrt([s] / 1000) for each grade.
// The unrounded values are compared, so a misclosure shown as "1.80" may still exceed a limit
// shown as "1.8". For the worked route (fh = 0.0100002 m, [s] = 200 m):
//   misclosureMillimetres -> 10.0002f, kilometres -> 0.2f,
//   limits 1.789, 5.367, 8.944, 13.42, 17.89: 二等 to 四等 not met, 五等 and 图根 met,
//   verdict -> "满足五等限差"
// fh = 0.05 m on 1 km -> verdict "超出图根限差"; [s] = -100 m -> limitsKnown false and verdict
// "路线全长为负，无法计算平地限差".
MisclosureCheck checkMisclosure(float misclosure, float totalLength);

// A few lines for the misclosure field's tooltip and accessible description: fh and L, each
// grade's flat-ground limit to one decimal with 合格 or 超限, and the verdict. Empty while the
// route has no results. For the worked route:
//   "闭合差 fh = 10.00 毫米，路线全长 L = 0.200 千米\n平地限差 ±k√L（毫米）：\n"
//   "二等 ±1.8 超限\n三等 ±5.4 超限\n四等 ±8.9 超限\n五等 ±13.4 合格\n图根 ±17.9 合格\n"
//   "满足五等限差"
std::string misclosureLimitsText(const LevelingRoute& route);

} // namespace velmora
