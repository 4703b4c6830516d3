#include "ui/window_fields.h"

#include "ui/qt_text.h"

#include <QLineEdit>

namespace velmora {

void WindowFields::show(DisplayField field, std::string_view text) {
    controls_.at(static_cast<std::size_t>(field))->setText(toQString(text));
}

} // namespace velmora
