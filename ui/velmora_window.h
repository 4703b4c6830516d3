#pragma once

#include "core/leveling_route.h"
#include "ui/window_fields.h"

#include <QWidget>

namespace velmora {

// The program's only window: fixed captions, nine display fields framed by red lines, and the
// three buttons that start a calculation run, end the program and print the report. It owns the
// route for its whole life; nothing it shows is ever read back.
class Velmora : public QWidget {
    Q_OBJECT

public:
    explicit Velmora(QWidget* parent = nullptr);

public slots:
    // Runs a whole calculation from its first prompt to its last result. A run that fails shows
    // its message; a run the user abandoned shows nothing more. The window stays usable.
    void Command1_Click();

    // Ends the program at once with status 0; nothing is asked or saved.
    void Command2_Click();

    // Prints the report of the route as the last run left it, off the window's thread behind a
    // progress box; a failure shows its message, 取消 shows nothing more.
    void Command3_Click();

private:
    // Shows the message of an Error that ends `work`, except for a run the user abandoned.
    template <typename Work> void reportingFailure(Work work);

    LevelingRoute route_;
    WindowFields fields_;
};

} // namespace velmora
