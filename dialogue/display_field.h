#pragma once

#include <string_view>

namespace velmora {

// The window's nine one-line output fields, by what they show.
enum class DisplayField {
    countField,         // the count line
    startHeightField,   // Ha
    endHeightField,     // Hb
    pointNameField,     // the name of the point being entered
    sectionLengthField, // the length of the section being entered, at the end the total length
    heightDiffField,    // the height difference of the section being entered
    misclosureField,    // the misclosure in millimetres
    resultNameField,    // the name of the point whose adjusted height is shown
    resultHeightField,  // that point's adjusted height
};

inline constexpr int displayFieldCount = 9;

// The role's name as written in transcripts: roleName(DisplayField::countField) -> "countField".
std::string_view roleName(DisplayField field);

// Writes into the window's fields; nothing ever reads them back.
class FieldWriter {
public:
    virtual ~FieldWriter() = default;

    // Replaces the whole text of `field`.
    virtual void show(DisplayField field, std::string_view text) = 0;
};

} // namespace velmora
