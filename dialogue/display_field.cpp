#include "dialogue/display_field.h"

namespace velmora {

std::string_view roleName(DisplayField field) {
    switch (field) {
    case DisplayField::countField:
        return "countField";
    case DisplayField::startHeightField:
        return "startHeightField";
    case DisplayField::endHeightField:
        return "endHeightField";
    case DisplayField::pointNameField:
        return "pointNameField";
    case DisplayField::sectionLengthField:
        return "sectionLengthField";
    case DisplayField::heightDiffField:
        return "heightDiffField";
    case DisplayField::misclosureField:
        return "misclosureField";
    case DisplayField::resultNameField:
        return "resultNameField";
    case DisplayField::resultHeightField:
        return "resultHeightField";
    }
    return "unknownField";
}

} // namespace velmora
