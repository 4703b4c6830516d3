#pragma once

#include <string_view>

// The fixed texts of the printed report, exactly as they are printed; blanks belong to them.
namespace velmora::report_texts {

// The face the report asks for; the window's font set-up resolves it on this platform.
inline constexpr std::string_view fontName = "宋体";
inline constexpr std::string_view title = "--- 水准简易平差 ---";
inline constexpr std::string_view startBenchmark = "起始点";
inline constexpr std::string_view closingBenchmark = "闭合点";
inline constexpr std::string_view startHeightLabel = " 高程  :   Ha=";
inline constexpr std::string_view endHeightLabel = " 高程  :   Hb=";
inline constexpr std::string_view resultsHeading = "平差结果 (米) :";
inline constexpr std::string_view pointNumberOpen = " :  h(";
inline constexpr std::string_view pointNumberClose = ")=";
inline constexpr std::string_view misclosureLabel = "  路线闭合差 :    fh=";
inline constexpr std::string_view totalLengthLabel = "水准路线全长 : [ s ]=";
inline constexpr std::string_view metres = " 米";

} // namespace velmora::report_texts
