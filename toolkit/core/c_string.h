#pragma once
#include <cstdarg>
#include <cwchar>
#include <string>

namespace QxUI {

// Wide string value type of the toolkit interface. Header-only so both sides of the DLL
// boundary compile the same code. Format uses the C library's wide printf: pass wide strings
// with %ls (the MinGW C++ runtime reads %s as a narrow string).
class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : m_text(s ? s : L"") {}
    CString(const wchar_t* s, size_t n) : m_text(s ? std::wstring(s, n) : std::wstring()) {}
    CString(const std::wstring& s) : m_text(s) {}

    operator const wchar_t*() const { return m_text.c_str(); }
    const wchar_t* GetString() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    wchar_t GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_text[i] : L'\0'; }

    // -1 when not found.
    int Find(wchar_t c, int start = 0) const { return ToIndex(m_text.find(c, Clamp(start))); }
    int Find(const wchar_t* s, int start = 0) const { return s ? ToIndex(m_text.find(s, Clamp(start))) : -1; }
    int ReverseFind(wchar_t c) const { return ToIndex(m_text.rfind(c)); }
    CString Left(int n) const { return CString(m_text.substr(0, Clamp(n))); }
    CString Right(int n) const {
        size_t k = Clamp(n);
        return CString(m_text.substr(m_text.size() - k));
    }
    CString Mid(int first, int n = -1) const {
        size_t f = Clamp(first);
        return CString(m_text.substr(f, n < 0 ? std::wstring::npos : static_cast<size_t>(n)));
    }
    int Replace(const wchar_t* from, const wchar_t* to);

    int Compare(const wchar_t* s) const { return m_text.compare(s ? s : L""); }
    void Format(const wchar_t* format, ...);

    CString& operator+=(const CString& s) { m_text += s.m_text; return *this; }
    CString& operator+=(const wchar_t* s) { if (s) m_text += s; return *this; }
    CString& operator+=(wchar_t c) { m_text += c; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const wchar_t* b) { CString r(a); r += b; return r; }
    friend CString operator+(const wchar_t* a, const CString& b) { CString r(a); r += b; return r; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

private:
    size_t Clamp(int i) const {
        if (i < 0) return 0;
        return static_cast<size_t>(i) > m_text.size() ? m_text.size() : static_cast<size_t>(i);
    }
    static int ToIndex(size_t p) { return p == std::wstring::npos ? -1 : static_cast<int>(p); }

    std::wstring m_text;
};

inline int CString::Replace(const wchar_t* from, const wchar_t* to) {
    if (!from || !*from) return 0;
    std::wstring f(from), t(to ? to : L"");
    int count = 0;
    for (size_t p = m_text.find(f); p != std::wstring::npos; p = m_text.find(f, p + t.size())) {
        m_text.replace(p, f.size(), t);
        ++count;
    }
    return count;
}

inline void CString::Format(const wchar_t* format, ...) {
    m_text.clear();
    if (!format) return;
    std::wstring buffer(256, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        va_list args;
        va_start(args, format);
        int n = std::vswprintf(&buffer[0], buffer.size(), format, args);
        va_end(args);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
            m_text.assign(buffer.c_str(), static_cast<size_t>(n));
            return;
        }
        buffer.assign(buffer.size() * 4, L'\0');  // too small (or an encoding error): grow and retry
    }
}

}  // namespace QxUI
