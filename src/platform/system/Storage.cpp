#include "platform/system/Storage.h"

namespace platform {

void KeepWrittenFiles() {}   // renamed into place, the file is on the disk already

}  // namespace platform
