#pragma once

#include "core/leveling_route.h"
#include "dialogue/display_field.h"
#include "dialogue/prompter.h"

#include <istream>
#include <ostream>
#include <string>

namespace velmora {

// A user who answers a calculation run from a script and writes down everything shown.
//
// Script, one answer a line: the text typed before OK, or exactly "<Cancel>" for Cancel. A
// refused answer is followed by one more line answering the refusal: "<Cancel>" abandons the
// run, any other line asks the same prompt again. Running out of lines raises Error.
//
// Record, one event a line, in the order it happens:
//   ask <message>        a prompt was shown
//   show <role> <text>   a field was written (role as roleName gives it, text verbatim)
//   refuse <reason>      an answer could not be taken
class ScriptedUser : public Prompter, public FieldWriter {
public:
    ScriptedUser(std::istream& script, std::ostream& record)
        : script_(script)
        , record_(record) {}

    Answer ask(std::string_view message) override;
    bool offerRetry(std::string_view reason) override;
    void show(DisplayField field, std::string_view text) override;

private:
    Answer nextAnswer();

    std::istream& script_;
    std::ostream& record_;
};

// Plays `script` into one calculation run on `route` and writes the record, ending with
// "error <message>" when the run was abandoned.
void playRun(LevelingRoute& route, std::istream& script, std::ostream& record);

// The same for a script held in a text; returns the record.
//   playRun(route, "0\n1\n\n2\n\nA\n\n10\n\n1\n\nB\n\n\n\n") -> "ask ...\n...show
//   resultHeightField 2.000\n"
std::string playRun(LevelingRoute& route, const std::string& script);

} // namespace velmora
