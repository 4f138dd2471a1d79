// Preloaded into a program, refuses every new thread, as a system out of threads would.
#include <cerrno>
#include <pthread.h>

extern "C" int pthread_create(pthread_t *, const pthread_attr_t *, void *(*)(void *), void *) { return EAGAIN; }
