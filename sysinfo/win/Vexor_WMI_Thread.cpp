#include "Vexor_WMI_Thread.h"

#include <objbase.h>

namespace {

volatile LONG givenUp = 0;

} // namespace

long WmiThreadsGivenUp() {
    return InterlockedCompareExchange(&givenUp, 0, 0);
}

TWmiThread* TWmiThread::Start() {
    std::unique_ptr<TWmiThread> thread(new TWmiThread);
    thread->wake_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    thread->done_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!thread->wake_ || !thread->done_)
        return nullptr;
    DWORD id = 0;
    UniqueHandle handle(CreateThread(nullptr, 0, &TWmiThread::Main, thread.get(), 0, &id));
    if (!handle)
        return nullptr;
    return thread.release();
}

bool TWmiThread::Call(std::unique_ptr<TWmiJob>& job, DWORD limitMs) {
    job_ = job.get();
    SetEvent(wake_.Get());
    if (WaitForSingleObject(done_.Get(), limitMs) == WAIT_OBJECT_0)
        return true;
    if (InterlockedCompareExchange(&job->progress_, 2, 0) == 1) {
        // Finished just now: the thread signals at once.
        WaitForSingleObject(done_.Get(), INFINITE);
        return true;
    }
    InterlockedIncrement(&givenUp);
    job.release();
    return false;
}

void TWmiThread::Release() {
    if (InterlockedDecrement(&references_) == 0)
        delete this;
}

DWORD WINAPI TWmiThread::Main(void* self) {
    static_cast<TWmiThread*>(self)->Loop();
    return 0;
}

void TWmiThread::Loop() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    bool givenUpHere = false;
    for (;;) {
        if (WaitForSingleObject(wake_.Get(), INFINITE) != WAIT_OBJECT_0)
            break;
        TWmiJob* job = job_;
        try {
            job->Run(state_);
        } catch (...) {
        }
        const bool ends = job->EndsThread();
        if (InterlockedCompareExchange(&job->progress_, 1, 0) == 2) {
            delete job;
            givenUpHere = true;
            break;
        }
        SetEvent(done_.Get());
        if (ends)
            break;
    }
    // WMI objects go before the thread leaves the apartment.
    state_.Services.Reset();
    state_.Locator.reset();
    if (SUCCEEDED(com))
        CoUninitialize();
    if (givenUpHere)
        InterlockedDecrement(&givenUp);
    Release();
}
