#pragma once

#include "dialogue/display_field.h"
#include "formats/table_run.h"

#include <QString>
#include <array>
#include <optional>
#include <string>

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

    // The text last written into `field`; what the user typed over it is not read back.
    const std::string& shown(DisplayField field) const {
        return shown_.at(static_cast<std::size_t>(field));
    }

    // Gives `field` an account of what its text means, which says the text too: it is the field's
    // tooltip in place of the text, and its accessible description. It stays through later writes
    // until it is given anew; empty takes it away.
    //   describe(misclosureField, "闭合差 fh = 10.00 毫米…满足五等限差") -> that tooltip
    void describe(DisplayField field, const QString& description);

private:
    void showToolTip(DisplayField field);

    std::array<QLineEdit*, displayFieldCount> controls_; // indexed by DisplayField
    std::array<QString, displayFieldCount> descriptions_;
    std::array<std::string, displayFieldCount> shown_;
};

// A run's field writes shown in the window as they come, and taken back if the run is given up:
// the fields it wrote show again what the window last wrote into them. A field file's run asks
// A's and B's heights, and each is confirmed while its field shows it, as in a typed run, yet
// 取消 leaves the window as it was.
//   TentativeFields echo(fields); echo.show(startHeightField, "10.000") -> Text1 shows "10.000"
//   echo.takeBack() -> Text1 shows what it showed before, the other fields untouched
class TentativeFields final : public RunObserver {
public:
    explicit TentativeFields(WindowFields& fields)
        : fields_(fields) {}

    void asked(std::string_view /*message*/) override {}
    void show(DisplayField field, std::string_view text) override;
    void takeBack();

private:
    WindowFields& fields_;
    std::array<std::optional<std::string>, displayFieldCount> before_; // indexed by DisplayField
};

} // namespace velmora
