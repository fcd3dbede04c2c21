#pragma once
// The thread a WMI connection lives on. WMI objects are made and used there
// only, in the process's multi-threaded COM apartment, so that the caller can
// stop waiting for a service that does not answer: the call is then given up
// and the thread finishes it alone, frees it and ends.
#include "Vexor_WbemScripting_TLB.h"

#include <windows.h>

#include <memory>

// What the connection thread holds; touched by jobs only, on that thread.
struct TWmiConnectionState {
    std::unique_ptr<TSWbemLocator> Locator;
    ComPtr<ISWbemServices> Services;
};

// One piece of work for the connection thread.
class TWmiJob {
public:
    virtual ~TWmiJob() = default;
    // Runs on the connection thread; raises nothing.
    virtual void Run(TWmiConnectionState& state) = 0;
    // The thread ends after this job.
    virtual bool EndsThread() const { return false; }

private:
    friend class TWmiThread;
    volatile LONG progress_ = 0; // 0 running, 1 finished, 2 given up by the caller
};

class TWmiThread {
public:
    // A new connection thread, or null when none can be started.
    static TWmiThread* Start();

    // Runs job on the thread and waits at most limitMs. True when the job ran
    // to its end: its results are the caller's. False when the wait ran out:
    // the job now belongs to the thread, and the caller must Release this
    // object and not call it again.
    bool Call(std::unique_ptr<TWmiJob>& job, DWORD limitMs);

    // The caller lets go of the thread (after a job that ends it, or after a
    // call given up).
    void Release();

private:
    TWmiThread() = default;
    static DWORD WINAPI Main(void* self);
    void Loop();

    volatile LONG references_ = 2; // the caller and the thread
    UniqueHandle wake_;
    UniqueHandle done_;
    TWmiJob* job_ = nullptr;
    TWmiConnectionState state_;
};

// How many calls were given up and still run on their threads.
long WmiThreadsGivenUp();
