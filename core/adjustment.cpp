#include "core/adjustment.h"

#include <cmath>
#include <string>

namespace velmora {

void throwNotFinite(float result, const char* quantity) {
    if (std::isnan(result))
        throw ArithmeticError(std::string(quantity) +
                              "无法计算：结果不是一个数。请检查输入的数值后重新计算。");
    throw ArithmeticError(std::string(quantity) +
                          "太大，超出了本程序能计算的范围（绝对值最大约为 3.4e38）。请检查输入的"
                          "数值后重新计算。");
}

float computeMisclosure(LevelingRoute& route) {
    const float sumPlusStart =
        checked(route.sumHeightDiff + route.startHeight, "高差总和加起始点高程");
    const float fh = checked(sumPlusStart - route.endHeight, "高差闭合差");
    const float fhMillimetres = checked(fh * 1000.0f, "以毫米计的高差闭合差");
    route.misclosure = fh;
    return fhMillimetres;
}

void distribute(LevelingRoute& route, SectionMeasurements& sections) {
    // Whether or not there is a misclosure, a route without length gives it nothing to go by.
    if (route.totalLength == 0.0f)
        throw ArithmeticError("路线全长为 0（各段的前后视距都为 0，或正负相抵），闭合差无法按距离"
                              "分配。请检查各段的前后视距后重新计算。");
    sections.correctionPerMetre = checked(-route.misclosure / route.totalLength, "每米改正数");
    // The height carried from point to point is the one just stored.
    float height = route.startHeight;
    route.adjustedHeights.at(0) = height;
    for (long i = 1; i <= route.closingIndex; ++i) {
        const float carried = checked(height + sections.heightDiffs.at(i), "平差高程");
        height = checked(carried + sectionCorrection(sections, i), "平差高程");
        route.adjustedHeights.at(i) = height;
    }
}

} // namespace velmora
