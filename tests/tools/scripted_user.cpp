#include "tests/tools/scripted_user.h"

#include "core/errors.h"
#include "dialogue/calculation_run.h"

#include <sstream>
#include <string>

namespace velmora {

namespace {
constexpr std::string_view cancelLine = "<Cancel>";
}

Answer ScriptedUser::ask(std::string_view message) {
    record_ << "ask " << message << '\n';
    return nextAnswer();
}

bool ScriptedUser::offerRetry(std::string_view reason) {
    record_ << "refuse " << reason << '\n';
    return !nextAnswer().cancelled;
}

void ScriptedUser::show(DisplayField field, std::string_view text) {
    record_ << "show " << roleName(field) << ' ' << text << '\n';
}

Answer ScriptedUser::nextAnswer() {
    std::string line;
    if (!std::getline(script_, line))
        throw Error("answers ran out");
    if (line == cancelLine)
        return {{}, true};
    return {line, false};
}

void playRun(LevelingRoute& route, std::istream& script, std::ostream& record) {
    ScriptedUser user(script, record);
    try {
        run(route, user, user);
    } catch (const Error& error) {
        record << "error " << error.what() << '\n';
    }
}

std::string playRun(LevelingRoute& route, const std::string& script) {
    std::istringstream answers(script);
    std::ostringstream record;
    playRun(route, answers, record);
    return record.str();
}

} // namespace velmora
