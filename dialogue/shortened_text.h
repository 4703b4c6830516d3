#pragma once

#include <string>
#include <string_view>

namespace velmora {

// A text as a message quotes it: cut after prompts::quotedAnswerLength characters, so that a
// pasted page cannot flood the message. UTF-8 sequences are kept whole; stray bytes count one
// each.
//   shortened("1,5") -> "1,5"    shortened(a 1 MB name) -> its first 40 characters + "…"
std::string shortened(std::string_view text);

} // namespace velmora
