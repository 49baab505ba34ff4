#pragma once

#include <dlfcn.h>
#include <stdexcept>

// The controls of the fault shim (FaultShim.cpp), which a test program gets by being started
// with the shim in LD_PRELOAD.
extern "C" {
// Counts the calls on files under `folder` from now on, beside the folders watched already; a
// null folder stops watching any.
void lq_faults_watch(const char* folder);
// Counts only the calls named, between commas ("write,pwrite"); none counts every call.
void lq_faults_count(const char* calls);
// The `nth` watched call from now fails with `error`; 0 fails none. Restarts the count.
void lq_faults_fail(int nth, int error);
// The watched calls since the last lq_faults_fail.
int lq_faults_calls();
// Whether the call named by lq_faults_fail has failed.
int lq_faults_failed();
}

// The shim's controls as the test program finds them; raises when it was started without it.
struct FaultShim {
    decltype(&lq_faults_watch) Watch = Find<decltype(&lq_faults_watch)>("lq_faults_watch");
    decltype(&lq_faults_count) Count = Find<decltype(&lq_faults_count)>("lq_faults_count");
    decltype(&lq_faults_fail) Fail = Find<decltype(&lq_faults_fail)>("lq_faults_fail");
    decltype(&lq_faults_calls) Calls = Find<decltype(&lq_faults_calls)>("lq_faults_calls");
    decltype(&lq_faults_failed) Failed = Find<decltype(&lq_faults_failed)>("lq_faults_failed");

private:
    template <typename Function> static Function Find(const char* name) {
        auto* function = reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
        if (function == nullptr)
            throw std::runtime_error("the fault shim is not preloaded");
        return function;
    }
};
