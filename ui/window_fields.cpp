#include "ui/window_fields.h"

#include "printing/qt_text.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace velmora {

namespace {

// Whether the whole of `text` shows in the field: the room its style leaves inside the frame, less
// the text margins and the two pixels a line edit keeps clear at either end.
bool fits(const QLineEdit& field, const QString& text) {
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    const QRect room = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    constexpr int clearEachEnd = 2;
    const QMargins margins = field.textMargins();
    return field.fontMetrics().horizontalAdvance(text) <=
           room.width() - margins.left() - margins.right() - 2 * clearEachEnd;
}

} // namespace

void WindowFields::show(DisplayField field, std::string_view text) {
    QLineEdit* control = controls_.at(static_cast<std::size_t>(field));
    shown_.at(static_cast<std::size_t>(field)) = text;
    control->setText(toQString(text));
    // A read-out is read from its start: a field scrolled to the end of " -12345.67 毫米" would
    // hide the sign, and a long name its first characters. Where the text does not fit, its
    // tooltip holds all of it.
    control->setCursorPosition(0);
    showToolTip(field);
}

void WindowFields::describe(DisplayField field, const QString& description) {
    const auto index = static_cast<std::size_t>(field);
    descriptions_.at(index) = description;
    controls_.at(index)->setAccessibleDescription(description);
    showToolTip(field);
}

void WindowFields::showToolTip(DisplayField field) {
    const auto index = static_cast<std::size_t>(field);
    QLineEdit* control = controls_.at(index);
    if (!descriptions_.at(index).isEmpty())
        control->setToolTip(descriptions_.at(index));
    else
        control->setToolTip(fits(*control, control->text()) ? QString() : control->text());
}

void TentativeFields::show(DisplayField field, std::string_view text) {
    std::optional<std::string>& before = before_.at(static_cast<std::size_t>(field));
    if (!before)
        before = fields_.shown(field);
    fields_.show(field, text);
}

void TentativeFields::takeBack() {
    for (std::size_t field = 0; field < before_.size(); ++field)
        if (before_.at(field))
            fields_.show(static_cast<DisplayField>(field), *before_.at(field));
    before_ = {};
}

} // namespace velmora
