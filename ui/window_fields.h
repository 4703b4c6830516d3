#pragma once

#include "dialogue/display_field.h"

#include <array>

class QLineEdit;

namespace velmora {

// The calculation run's view of the window: each role writes the field control that the control
// table assigns to it.
class WindowFields final : public FieldWriter {
public:
    explicit WindowFields(const std::array<QLineEdit*, displayFieldCount>& controls)
        : controls_(controls) {}

    void show(DisplayField field, std::string_view text) override;

private:
    std::array<QLineEdit*, displayFieldCount> controls_; // indexed by DisplayField
};

} // namespace velmora
