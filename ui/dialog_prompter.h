#pragma once

#include "dialogue/prompter.h"

class QWidget;

namespace velmora {

// Asks through QInputDialog, modal over `window`, so that nothing else in the window can be used
// while a prompt is open. The boxes carry no title of their own; the platform shows the
// application's name.
class DialogPrompter final : public Prompter {
public:
    explicit DialogPrompter(QWidget* window)
        : window_(window) {}

    // Cancel is told apart from an empty OK: Answer{"", true} against Answer{"", false}.
    Answer ask(std::string_view message) override;

    // A warning box with the reason and two buttons; Enter means 重新输入 (true), Escape or the
    // other button 放弃计算 (false).
    bool offerRetry(std::string_view reason) override;

private:
    QWidget* window_;
};

} // namespace velmora
