#pragma once
#include <vector>

#include "toolkit/core/m_control.h"

namespace QxUI {

// A copy of a control list to walk while handlers run. A handler may add or remove controls
// (a removed control is only deleted once the window's message has been dispatched, see
// PaintManager::DisposeControl), so the walk never sees a moved vector, and a control removed
// by an earlier handler of the same walk is skipped.
class ControlSnapshot {
public:
    explicit ControlSnapshot(const std::vector<MControl*>& list) : m_items(list) {}

    class Iterator {
    public:
        Iterator(MControl* const* at, MControl* const* end) : m_at(at), m_end(end) { SkipRemoved(); }
        MControl* operator*() const { return *m_at; }
        Iterator& operator++() {
            ++m_at;
            SkipRemoved();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_at != other.m_at; }

    private:
        // Checked when the walk arrives, i.e. after the previous handler returned.
        void SkipRemoved() {
            while (m_at != m_end && (*m_at)->IsRemoved()) ++m_at;
        }
        MControl* const* m_at;
        MControl* const* m_end;
    };

    Iterator begin() const { return Iterator(m_items.data(), m_items.data() + m_items.size()); }
    Iterator end() const { return Iterator(m_items.data() + m_items.size(), m_items.data() + m_items.size()); }

private:
    std::vector<MControl*> m_items;
};

}  // namespace QxUI
