#include "dialogue/shortened_text.h"

#include "dialogue/prompts.h"

namespace velmora {

std::string shortened(std::string_view text) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size(); ++end) {
        const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u;
        if (!continuation && characters++ == prompts::quotedAnswerLength)
            break;
    }
    return std::string(text.substr(0, end)) + (end < text.size() ? "…" : "");
}

} // namespace velmora
