#include "core/adjustment.h"

#include <cmath>
#include <string>

namespace velmora {

void throwNotFinite(float result, const char* quantity) {
    if (std::isnan(result))
        throw ArithmeticError(std::string("无效运算：") + quantity + "无法计算。");
    throw ArithmeticError(std::string("运算溢出：") + quantity + "超出单精度数的范围。");
}

namespace {

float checkedQuotient(float dividend, float divisor, const char* quantity) {
    if (divisor == 0.0f) {
        if (dividend == 0.0f)
            throw ArithmeticError(std::string("无效运算（0 ÷ 0）：") + quantity +
                                  "无法计算，路线全长和闭合差都为 0。");
        throw ArithmeticError(std::string("除数为零：") + quantity + "无法计算，路线全长为 0。");
    }
    return checked(dividend / divisor, quantity);
}

} // namespace

float computeMisclosure(LevelingRoute& route) {
    const float sumPlusStart =
        checked(route.sumHeightDiff + route.startHeight, "高差总和加起始点高程");
    const float fh = checked(sumPlusStart - route.endHeight, "高差闭合差");
    const float fhMillimetres = checked(fh * 1000.0f, "以毫米计的高差闭合差");
    route.misclosure = fh;
    return fhMillimetres;
}

void distribute(LevelingRoute& route, SectionMeasurements& sections) {
    sections.correctionPerMetre =
        checkedQuotient(-route.misclosure, route.totalLength, "每米改正数");
    // The height carried from point to point is the one just stored.
    float height = route.startHeight;
    route.adjustedHeights.at(0) = height;
    for (long i = 1; i <= route.closingIndex; ++i) {
        const float carried = checked(height + sections.heightDiffs.at(i), "平差高程");
        const float correction =
            checked(sections.sectionLengths.at(i) * sections.correctionPerMetre, "高差改正数");
        height = checked(carried + correction, "平差高程");
        route.adjustedHeights.at(i) = height;
    }
}

} // namespace velmora
