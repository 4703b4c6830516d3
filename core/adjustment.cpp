#include "core/adjustment.h"

#include <cmath>
#include <string>

namespace velmora {

namespace {

// Operands are always finite (the reader refuses anything else and no faulty result is ever
// stored), so a result that is not finite is exactly an overflow or an invalid operation.
float checked(float result, const char* quantity) {
    if (std::isnan(result))
        throw ArithmeticError(std::string("无效运算：") + quantity + "无法计算。");
    if (std::isinf(result))
        throw ArithmeticError(std::string("运算溢出：") + quantity + "超出单精度数的范围。");
    return result;
}

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

void accumulateSection(LevelingRoute& route, const SectionMeasurements& sections, long i) {
    route.sumHeightDiff = checked(sections.heightDiffs.at(i) + route.sumHeightDiff, "高差总和");
    route.totalLength = checked(sections.sectionLengths.at(i) + route.totalLength, "路线全长");
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
    sections.correctionPerMetre =
        checkedQuotient(-route.misclosure, route.totalLength, "每米改正数");
    route.adjustedHeights.at(0) = route.startHeight;
    for (long i = 1; i <= route.closingIndex; ++i) {
        const float carried =
            checked(route.adjustedHeights.at(i - 1) + sections.heightDiffs.at(i), "平差高程");
        const float correction =
            checked(sections.sectionLengths.at(i) * sections.correctionPerMetre, "高差改正数");
        route.adjustedHeights.at(i) = checked(carried + correction, "平差高程");
    }
}

} // namespace velmora
