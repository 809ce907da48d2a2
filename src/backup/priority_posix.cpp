// A background thread where the system is POSIX: the highest niceness.
// Linux gives each thread its own; setpriority on the calling thread's id
// lowers this one alone.
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "backup/background.h"

namespace backup {

void lowerThisThreadsPriority() {
#ifdef SYS_gettid
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
#endif
}

}  // namespace backup
#endif
