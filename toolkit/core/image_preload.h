#pragma once
#include <vector>

#include "toolkit/core/c_string.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Decodes skin images a window is about to need on a thread of its own while the process goes on
// creating the window. MRender::LoadImageFromFile hands a preloaded image over instead of decoding
// the file again, waits for one that is being decoded, and decodes one that has not been reached
// yet itself, so no image is decoded twice and a caller never waits behind the whole list.
//
// One preload runs at a time, for the life of this object; it lives between GDI+ start-up and
// shutdown (the destructor waits for the thread and frees every image nobody took).
class QXUI_API ImagePreload {
public:
    // `skinFiles` are names under the skin directory, spelled as the windows ask for them.
    explicit ImagePreload(const std::vector<CString>& skinFiles);
    ~ImagePreload();
    ImagePreload(const ImagePreload&) = delete;
    ImagePreload& operator=(const ImagePreload&) = delete;

    // Called by the loader: true when `path` is one of the active preload's files, with `image`
    // the decoded image (NULL if it could not be decoded), now owned by the caller. False when
    // the path was not preloaded or was already handed over.
    static bool Take(const CString& path, Gdiplus::Image*& image);

private:
    enum class State { Waiting, Decoding, Decoded, Taken };
    struct Entry {
        CString path;
        State state = State::Waiting;
        Gdiplus::Image* image = nullptr;
    };
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    // Decodes the next image nobody has started; false when none is left.
    bool DecodeNext();

    std::vector<Entry> m_entries;
    CRITICAL_SECTION m_lock;
    CONDITION_VARIABLE m_decoded;
    HANDLE m_thread = nullptr;
};

}  // namespace QxUI
