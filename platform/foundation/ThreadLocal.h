#pragma once

// An object per thread, made by the thread's first get() and deleted as the
// thread ends. It is kept behind a pthread key rather than in a C++
// thread_local: the first use of a thread_local with a destructor registers
// that destructor under the dynamic loader's lock, which a library being
// loaded on another thread holds for milliseconds. Meant for objects that live
// as long as the program (a function-local static); it is never destroyed.

#include <pthread.h>

namespace foundation {

template <class T>
class ThreadLocal {
  public:
    ThreadLocal() {
        pthread_key_create(&key_, [](void* object) { delete static_cast<T*>(object); });
    }
    ThreadLocal(const ThreadLocal&) = delete;
    ThreadLocal& operator=(const ThreadLocal&) = delete;

    T& get() {
        auto* object = static_cast<T*>(pthread_getspecific(key_));
        if (object == nullptr) {
            object = new T();
            pthread_setspecific(key_, object);
        }
        return *object;
    }

  private:
    pthread_key_t key_{};
};

}  // namespace foundation
