#include "toolkit/core/image_preload.h"

#include <objbase.h>

#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

namespace QxUI {

namespace {
ImagePreload* g_active = nullptr;
// Guards g_active against a loader that asks while the preload is being torn down.
SRWLOCK g_activeLock = SRWLOCK_INIT;
}  // namespace

ImagePreload::ImagePreload(const std::vector<CString>& skinFiles) {
    const CString skin = Manager::GetSkinDirectory();
    for (const CString& file : skinFiles) {
        const CString path = skin + file;
        bool listed = false;
        for (const Entry& e : m_entries) listed = listed || e.path == path;
        if (!listed) m_entries.push_back(Entry{path});
    }
    ::InitializeCriticalSection(&m_lock);
    ::InitializeConditionVariable(&m_decoded);
    ::AcquireSRWLockExclusive(&g_activeLock);
    if (!g_active) g_active = this;
    ::ReleaseSRWLockExclusive(&g_activeLock);
    // Without the thread every image is simply decoded when it is asked for.
    if (g_active == this) m_thread = ::CreateThread(nullptr, 0, &ImagePreload::ThreadMain, this, 0, nullptr);
}

ImagePreload::~ImagePreload() {
    ::AcquireSRWLockExclusive(&g_activeLock);
    if (g_active == this) g_active = nullptr;
    ::ReleaseSRWLockExclusive(&g_activeLock);
    if (m_thread) {
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
    }
    for (Entry& e : m_entries) delete e.image;
    ::DeleteCriticalSection(&m_lock);
}

DWORD WINAPI ImagePreload::ThreadMain(void* self) {
    // The imaging component needs COM on the decoding thread.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    static_cast<ImagePreload*>(self)->Run();
    if (SUCCEEDED(com)) ::CoUninitialize();
    return 0;
}

void ImagePreload::Run() {
    while (DecodeNext()) {
    }
}

bool ImagePreload::DecodeNext() {
    Entry* next = nullptr;
    ::EnterCriticalSection(&m_lock);
    for (Entry& e : m_entries)
        if (e.state == State::Waiting) {
            next = &e;
            next->state = State::Decoding;
            break;
        }
    ::LeaveCriticalSection(&m_lock);
    if (!next) return false;
    Gdiplus::Image* image = MRender::DecodeImageFile(next->path);
    ::EnterCriticalSection(&m_lock);
    next->image = image;
    next->state = State::Decoded;
    ::LeaveCriticalSection(&m_lock);
    ::WakeAllConditionVariable(&m_decoded);
    return true;
}

bool ImagePreload::Take(const CString& path, Gdiplus::Image*& image) {
    image = nullptr;
    ::AcquireSRWLockShared(&g_activeLock);
    ImagePreload* self = g_active;
    bool found = false;
    if (self) {
        ::EnterCriticalSection(&self->m_lock);
        for (Entry& e : self->m_entries) {
            if (e.state == State::Taken || e.path != path) continue;
            found = true;
            if (e.state == State::Waiting) {
                // Not reached yet: decoding it here is quicker than waiting for the thread.
                e.state = State::Taken;
                ::LeaveCriticalSection(&self->m_lock);
                ::ReleaseSRWLockShared(&g_activeLock);
                image = MRender::DecodeImageFile(path);
                return true;
            }
            while (e.state == State::Decoding) ::SleepConditionVariableCS(&self->m_decoded, &self->m_lock, INFINITE);
            image = e.image;
            e.image = nullptr;
            e.state = State::Taken;
            break;
        }
        ::LeaveCriticalSection(&self->m_lock);
    }
    ::ReleaseSRWLockShared(&g_activeLock);
    return found;
}

}  // namespace QxUI
