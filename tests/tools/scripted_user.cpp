#include "tests/tools/scripted_user.h"

#include "core/errors.h"

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

} // namespace velmora
