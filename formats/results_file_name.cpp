#include "formats/results_file_name.h"

#include "dialogue/report.h"

namespace velmora {

namespace {

// Two names and a date stay well inside the 255 bytes most file systems allow.
constexpr std::size_t partBytes = 80;

bool forbidden(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20u || byte == 0x7Fu ||
           std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
}

std::string filePart(std::string_view text) {
    std::string part;
    part.reserve(text.size());
    for (const char c : text)
        part += forbidden(c) ? '_' : c;
    if (part.size() > partBytes) {
        std::size_t end = partBytes;
        while (end > 0 && (static_cast<unsigned char>(part[end]) & 0xC0u) == 0x80u)
            --end;
        part.resize(end);
    }
    // Windows drops trailing dots and blanks, which would merge "A." with "A".
    part.erase(part.find_last_not_of(". ") + 1);
    return part;
}

} // namespace

std::string suggestedFileName(const LevelingRoute& route, std::string_view date) {
    if (!route.resultsReached)
        throw NothingToPrint();
    std::string name;
    for (const std::string& part :
         {filePart(route.pointNames.at(0)), filePart(route.pointNames.at(route.closingIndex)),
          filePart(date)}) {
        if (part.empty())
            continue;
        if (!name.empty())
            name += '-';
        name += part;
    }
    return name.empty() ? "水准成果表" : name;
}

} // namespace velmora
