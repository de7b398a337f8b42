#pragma once
#include <vector>

#include "toolkit/core/c_rect.h"
#include "toolkit/core/c_string.h"
#include "toolkit/core/critical_section.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// One entry of an MImageList: an image of `count` side-by-side states.
struct _M_IAMGELIST {
    Gdiplus::Image* image = nullptr;
    int width = 0;   // one state: image width / count
    int height = 0;
    int id = 0;
    int count = 1;
    CString path;
};

// An indexed list of row icons for list controls. The list owns its images; the list itself
// belongs to whoever made it (list controls only borrow it).
class QXUI_API MImageList {
public:
    MImageList() = default;
    ~MImageList();
    MImageList(const MImageList&) = delete;
    MImageList& operator=(const MImageList&) = delete;

    // Appends; returns the new index (-1 for a NULL path). A file that does not load is kept
    // as an entry with sizes 0.
    int AddImage(const wchar_t* path, int id, int count);
    // index -1 appends (returns the new index); 0..last inserts before it (returns -1);
    // anything else, or a NULL path: -1 and nothing added.
    int InsertImage(int index, const wchar_t* path, int id, int count);
    // State 0 (or min(state, count - 1)) of entry `index` stretched into `rect`.
    void DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index);
    void DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index, int state);
    BOOL SetDrawImgSize(int width, int height);
    CSize GetIconSize() const { return CSize(m_drawWidth, m_drawHeight); }
    _M_IAMGELIST* GetItemImageData(int index);
    _M_IAMGELIST* GetImageDataByID(int id);
    CString GetImagePath(int index);
    CString GetImagePathByID(int id);
    int GetImageCount();
    BOOL DelAllImages();

private:
    std::vector<_M_IAMGELIST*> m_images;
    CriticalSection m_lock;
    int m_drawWidth = 0;
    int m_drawHeight = 0;
};

}  // namespace QxUI
