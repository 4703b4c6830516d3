#pragma once

#include <cstddef>
#include <string_view>

// The texts of the calculation run's prompts, of the count line and of its refusals, exactly as the
// user sees them; leading and trailing blanks belong to them.
namespace velmora::prompts {

// Asks for N, the number of points to be determined.
inline constexpr std::string_view countPrompt =
    "请输入待定点的点数 N  : ( 不包括起始点 A 和闭合点 B,仅限于待定点 )";

// The count line: these, the number of points, then countLineEnd.
inline constexpr std::string_view countLineStart = "  附合水准路线共有";
inline constexpr std::string_view countLineEnd = "个待定点";
inline constexpr std::string_view startHeightPrompt = "输入起始点的高程 :";
inline constexpr std::string_view startHeightReentryPrompt = "输入正确的高程 : ";
inline constexpr std::string_view endHeightPrompt = "请输入闭合点的高程 : ";
inline constexpr std::string_view endHeightReentryPrompt = "输入闭合点正确的高程 Hb ";
inline constexpr std::string_view startNamePrompt = "请输入起始点的点名  :";

// Point k (k >= 1): pointNamePromptStart, k, pointNamePromptEnd.
inline constexpr std::string_view pointNamePromptStart = "输入第";
inline constexpr std::string_view pointNamePromptEnd = " 个待定点的点名  :";
inline constexpr std::string_view closingNamePrompt = "请输入闭合点的点名  :";

// Section i: lengthPromptStart, i, lengthPromptEnd.
inline constexpr std::string_view lengthPromptStart = "请输入第";
inline constexpr std::string_view lengthPromptEnd = " 段二点间的前后视距 :( 以米为单位 )";
inline constexpr std::string_view lengthReentryPrompt = "输入正确的前后视距 :";

// Section i: heightDiffPromptStart, i, heightDiffPromptEnd.
inline constexpr std::string_view heightDiffPromptStart = "输入第";
inline constexpr std::string_view heightDiffPromptEnd = " 段二点间的高差 :( 以米为单位 )";
inline constexpr std::string_view heightDiffReentryPrompt = "输入正确的高差  :";

// Steps the result fields on to the next point; the answer is ignored.
inline constexpr std::string_view resultPrompt = "需要显示计算结果请单击 Enter 键";

// Confirmations: Enter accepts the value, 0 asks for it again.
inline constexpr std::string_view genericConfirmation =
    "确认输入是否正确 ? 输入正确单击 Enter 键 ; 错误输入零( 即:0 )";
inline constexpr std::string_view startHeightConfirmation =
    " 确认高程输入是否正确 ? 输入正确单击 Enter 键 ; 错误输入零( 即:0 )";
inline constexpr std::string_view lengthConfirmation =
    "确认前后视距输入是否正确 ? 输入正确单击 Enter 键 ; 错误输入零( 即:0 )";
inline constexpr std::string_view heightDiffConfirmation =
    "确认高差输入是否正确 ? 输入正确单击 Enter 键 ; 错误输入零( 即:0 )";

// Follows the misclosure in the window.
inline constexpr std::string_view millimetreSuffix = " 毫米";

// Why an answer that should be a number was refused, in the words of the refusal box, whose
// buttons are 重新输入 and 放弃计算. Those about a typed text follow it, quoted and shortened to
// quotedAnswerLength characters, so that a pasted page cannot flood the message.
inline constexpr std::size_t quotedAnswerLength = 40;
inline constexpr std::string_view cancelledNumberReason =
    "输入已取消。这里需要输入一个数：单击“重新输入”再输一次，或单击“放弃计算”结束本次计算。";
inline constexpr std::string_view emptyNumberReason = "没有输入任何数值，这里需要输入一个数。";
inline constexpr std::string_view tooLargeReason =
    "太大了，无法计算：数值的绝对值最大约为 3.4e38。";
inline constexpr std::string_view tooSmallReason =
    "太接近 0 了，无法计算：不为 0 的数，绝对值最小约为 1.4e-45；是 0 就请输入 0。";
inline constexpr std::string_view notANumberReason =
    "不是一个数。请输入十进制数，可带正负号、小数点和指数，例如 12.5、-0.003 或 1e3。";
inline constexpr std::string_view negativeCountReason = "不能作为待定点的点数：点数不能为负数。";

// The run stops at a count beyond the record: overflowCountStart, the answer (shortened like a
// quoted one), overflowCountEnd.
inline constexpr std::string_view overflowCountStart = "待定点的点数 ";
inline constexpr std::string_view overflowCountEnd =
    " 太大：本程序最多能计算 32766 个待定点。请单击“进行计算”重新开始。";

// The run was abandoned at a refusal.
inline constexpr std::string_view abandonedRun = "已放弃本次计算。";

} // namespace velmora::prompts
