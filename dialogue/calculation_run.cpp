#include "dialogue/calculation_run.h"

namespace velmora {

void run(LevelingRoute&, Prompter&, FieldWriter&) {
    throw Error("not yet");
}

} // namespace velmora
