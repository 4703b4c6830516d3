#include "core/errors.h"

#include <string>

namespace velmora {

namespace {

std::string outOfRangeMessage(long index, std::size_t size, bool present) {
    if (!present)
        return "下标越界：还没有计算结果，请先单击“进行计算”。";
    return "下标越界：第 " + std::to_string(index) + " 号元素不在 0 .. " +
           std::to_string(static_cast<long>(size) - 1) + " 之内。";
}

} // namespace

SubscriptOutOfRange::SubscriptOutOfRange(long index, std::size_t size, bool present)
    : Error(outOfRangeMessage(index, size, present)) {}

} // namespace velmora
