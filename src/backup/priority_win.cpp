// A background thread on Windows: the processor's and the disk's lowest
// priority (THREAD_MODE_BACKGROUND_BEGIN); where the system refuses that
// mode, the lowest ordinary priority.
#include <windows.h>

#include "backup/background.h"

namespace backup {

void lowerThisThreadsPriority() {
  if (!SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN))
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
}

}  // namespace backup
