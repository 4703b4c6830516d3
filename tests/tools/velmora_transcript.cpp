// velmora-transcript: drives one real calculation run with answers read from standard input and
// writes everything the user would see to standard output, in the order it happens; golden
// transcripts of whole runs are compared against it. The formats are ScriptedUser's; a run that
// is abandoned ends with the line "error <message>".
#include "dialogue/calculation_run.h"
#include "tests/tools/scripted_user.h"

#include <iostream>

int main() {
    velmora::LevelingRoute route;
    velmora::ScriptedUser user(std::cin, std::cout);
    try {
        velmora::run(route, user, user);
    } catch (const velmora::Error& error) {
        std::cout << "error " << error.what() << '\n';
    }
    return 0;
}
