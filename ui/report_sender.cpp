#include "ui/report_sender.h"

#include "core/errors.h"

namespace velmora {

void sendReport(const LevelingRoute&) { throw Error("打印功能尚未完成。"); }

} // namespace velmora
