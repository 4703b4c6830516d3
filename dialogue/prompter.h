#pragma once

#include <string>
#include <string_view>

namespace velmora {

// What the user gave at a prompt. A cancelled prompt carries an empty text.
struct Answer {
    std::string text;
    bool cancelled = false;
};

// The user's side of a calculation run: modal questions, one at a time.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows `message` over an empty one-line text box and waits for the user to confirm or
    // cancel. The box has no title or default answer of the run's own.
    virtual Answer ask(std::string_view message) = 0;

    // Tells the user why the last answer could not be taken (`reason` quotes what was typed) and
    // lets them choose: true to be asked the same prompt again, false to abandon the run.
    virtual bool offerRetry(std::string_view reason) = 0;
};

} // namespace velmora
