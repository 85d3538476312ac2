#include "platform/foundation/Thread.h"

#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace foundation {

bool Thread::isMainThread() {
    // On Linux the initial thread's id is the process id.
    static thread_local const bool isMain = syscall(SYS_gettid) == getpid();
    return isMain;
}

void Thread::setCurrentName(const std::string& name) {
    pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
}

}  // namespace foundation
