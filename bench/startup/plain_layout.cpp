#include "bench/startup/plain_layout.h"

#include "ui/control_table.h"
#include "ui/plain_controls.h"

namespace velmora {

std::unique_ptr<QWidget> plainLayoutWindow() {
    auto window = std::make_unique<QWidget>();
    for (const controls::Control& control : controls::controlTable)
        plainControl(control, *window);
    for (const controls::Line& line : controls::lineTable)
        plainLine(line, *window);
    return window;
}

} // namespace velmora
