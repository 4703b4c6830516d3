#pragma once

#include "formats/field_file.h"

#include <cstddef>
#include <string>
#include <vector>

namespace velmora {

// A route made of lines of a field file, given by their numbers (FieldLine::number) in the order
// of the route: each line one section, its ends the route's points, its turning points none of
// them. The lines are those readFieldFile gives, line k at index k - 1. The 测段表 and the
// transcript tool say the same of a route in the same words.

// Why `line` cannot be a section, in the words the 测段表 shows; empty when it can be one. A line
// the reader could not trust gives its reason; so does one of more stations than a section may
// have.
//   sectionRefusal(a usable line of 2 stations) -> ""
//   sectionRefusal(a line of 10000 stations) -> "这条线有 10000 站，一段最多 9999
//   站，超出了本程序能计算的范围。"
std::string sectionRefusal(const FieldLine& line);

// Whether the lines `numbers` make a route that can be run, and what the 测段表 says of it: the
// route's ends and size, or the first thing in the way. Each line must be in the file, taken once
// and no section refused, each must start where the one before ended, and there may be at most
// 32767 of them; a route may end where it began.
//   checkRoute(lines of gsi8_bf.gsi, {1, 2})
//     -> {true, "路线从 BM1 到 BM3，共 2 段，1 个待定点。"}
//   checkRoute(lines A-P2, P3-B, {1, 2})
//     -> {false, "第 2 条线（线号 2）从 P3 开始，但上一条线到 P2 为止，接不上。"}
//   checkRoute(lines, {}) -> {false, "请按路线的次序勾选测段：…"}
//   checkRoute(lines of gsi8_bf.gsi, {3}) -> {false, "文件里没有线号 3：这个文件的线号从 1 到 2。"}
// and likewise for a line taken twice and for a refused section (its sectionRefusal).
struct RouteCheck {
    bool runnable = false;
    std::string message;
};
RouteCheck checkRoute(const std::vector<FieldLine>& lines, const std::vector<std::size_t>& numbers);

// The route the 测段表 opens with: every line that can be a section, in file order, where they
// make a route; else none, for the user to pick.
//   initialRoute(lines of gsi16_bffb.gsi, A-B and B-A) -> {1, 2}
//   initialRoute(lines A-B, C-D) -> {}
std::vector<std::size_t> initialRoute(const std::vector<FieldLine>& lines);

} // namespace velmora
