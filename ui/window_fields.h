#pragma once

#include "dialogue/display_field.h"

#include <QString>
#include <array>

class QLineEdit;

namespace velmora {

// The calculation run's view of the window: each role writes the field control that the control
// table assigns to it. Every write shows the text from its first character, and a text too long
// for its field is also the field's tooltip:
//   show(misclosureField, " -12345.67 毫米") -> Text8 shows it from the blank and the sign on,
//     cut at the field's right edge, cursor at 0, tooltip " -12345.67 毫米"
//   show(resultHeightField, "10.000") -> Text7 shows "10.000" whole, no tooltip
// The user may still move through a field or type into it; the next write replaces that.
class WindowFields final : public FieldWriter {
public:
    explicit WindowFields(const std::array<QLineEdit*, displayFieldCount>& controls)
        : controls_(controls) {}

    void show(DisplayField field, std::string_view text) override;

    // Gives `field` an account of what its text means, which says the text too: it is the field's
    // tooltip in place of the text, and its accessible description. It stays through later writes
    // until it is given anew; empty takes it away.
    //   describe(misclosureField, "闭合差 fh = 10.00 毫米…满足五等限差") -> that tooltip
    void describe(DisplayField field, const QString& description);

private:
    void showToolTip(DisplayField field);

    std::array<QLineEdit*, displayFieldCount> controls_; // indexed by DisplayField
    std::array<QString, displayFieldCount> descriptions_;
};

} // namespace velmora
