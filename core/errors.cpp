#include "core/errors.h"

#include <string>

namespace velmora {

namespace {

std::string outOfRangeMessage(long index, std::size_t size, bool present) {
    if (!present)
        return "还没有计算结果：请先单击“进行计算”，完成一次计算。";
    return "程序内部出错：要读取第 " + std::to_string(index) + " 项，但这里只有第 0 到第 " +
           std::to_string(static_cast<long>(size) - 1) + " 项。请把这条信息告诉程序的维护人员。";
}

} // namespace

SubscriptOutOfRange::SubscriptOutOfRange(long index, std::size_t size, bool present)
    : Error(outOfRangeMessage(index, size, present)) {}

} // namespace velmora
