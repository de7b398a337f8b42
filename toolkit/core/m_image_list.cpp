#include "toolkit/core/m_image_list.h"

#include <algorithm>

#include "toolkit/core/m_render.h"

namespace QxUI {

MImageList::~MImageList() { DelAllImages(); }

int MImageList::AddImage(const wchar_t* path, int id, int count) { return InsertImage(-1, path, id, count); }

int MImageList::InsertImage(int index, const wchar_t* path, int id, int count) {
    if (!path) return -1;
    CriticalSectionLock lock(m_lock);
    int last = static_cast<int>(m_images.size()) - 1;
    if (index < -1 || index > last) return -1;
    auto* entry = new _M_IAMGELIST;
    entry->path = CString(path);
    entry->id = id;
    entry->count = count > 0 ? count : 1;
    entry->image = MRender::LoadImageFromFile(entry->path);
    if (entry->image) {
        entry->width = static_cast<int>(entry->image->GetWidth()) / entry->count;
        entry->height = static_cast<int>(entry->image->GetHeight());
    }
    if (index == -1) {
        m_images.push_back(entry);
        return static_cast<int>(m_images.size()) - 1;
    }
    m_images.insert(m_images.begin() + index, entry);
    return -1;
}

void MImageList::DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index) { DrawItemIcon(g, rect, index, 0); }

void MImageList::DrawItemIcon(Gdiplus::Graphics& g, CRect rect, int index, int state) {
    _M_IAMGELIST* entry = GetItemImageData(index);
    if (!entry || !entry->image) return;
    int s = std::max(0, std::min(state, entry->count - 1));
    g.DrawImage(entry->image, Gdiplus::Rect(rect.left, rect.top, rect.Width(), rect.Height()), s * entry->width, 0,
                entry->width, entry->height, Gdiplus::UnitPixel);
}

BOOL MImageList::SetDrawImgSize(int width, int height) {
    m_drawWidth = width;
    m_drawHeight = height;
    return TRUE;
}

_M_IAMGELIST* MImageList::GetItemImageData(int index) {
    CriticalSectionLock lock(m_lock);
    if (index < 0 || index >= static_cast<int>(m_images.size())) return nullptr;
    return m_images[static_cast<size_t>(index)];
}

_M_IAMGELIST* MImageList::GetImageDataByID(int id) {
    CriticalSectionLock lock(m_lock);
    for (auto* e : m_images)
        if (e->id == id) return e;
    return nullptr;
}

CString MImageList::GetImagePath(int index) {
    _M_IAMGELIST* e = GetItemImageData(index);
    return e ? e->path : CString();
}

CString MImageList::GetImagePathByID(int id) {
    _M_IAMGELIST* e = GetImageDataByID(id);
    return e ? e->path : CString();
}

int MImageList::GetImageCount() {
    CriticalSectionLock lock(m_lock);
    return static_cast<int>(m_images.size());
}

BOOL MImageList::DelAllImages() {
    CriticalSectionLock lock(m_lock);
    for (auto* e : m_images) {
        delete e->image;
        delete e;
    }
    m_images.clear();
    return TRUE;
}

}  // namespace QxUI
