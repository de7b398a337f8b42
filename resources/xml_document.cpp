#include "resources/xml_document.h"

#include <unordered_map>

#include "resources/file_bytes.h"
#include "resources/utf_text.h"
#include "resources/xml_markup.h"
#include "resources/xml_text_decoder.h"

namespace qx {

using xml::npos;

namespace {

bool StartsWith(std::u16string_view t, size_t pos, std::u16string_view what)
{
    return t.size() - pos >= what.size() && t.substr(pos, what.size()) == what;
}

bool HasNonBlank(std::u16string_view t, size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i)
        if (!xml::IsBlank(t[i])) return true;
    return false;
}

std::wstring At(size_t offset)
{
    return L"at offset " + std::to_wstring(offset);
}

std::wstring Named(std::u16string_view name, size_t offset)
{
    return Utf16ToWide(name) + L" " + At(offset);
}

// Name equality for the index of open elements, counting its calls for XmlDocument's statistics.
struct CountedEqual {
    size_t* comparisons;
    bool operator()(std::u16string_view a, std::u16string_view b) const
    {
        ++*comparisons;
        return a == b;
    }
};

// The elements open while parsing, innermost last, with an index from tag name to the innermost
// open element of that name. An end tag then finds its element, or learns there is none, in time
// proportional to its name whatever the depth; searching the stack instead made a file of
// unmatched end tags quadratic.
class OpenElements {
public:
    explicit OpenElements(size_t& comparisons)
        : innermost_(16, std::hash<std::u16string_view>{}, CountedEqual{&comparisons})
    {
    }

    bool Empty() const { return stack_.empty(); }
    size_t Depth() const { return stack_.size(); }
    uint32_t Innermost() const { return stack_.back().element; }
    uint32_t ElementAt(size_t depth) const { return stack_[depth - 1].element; }

    void Push(uint32_t element, std::u16string_view name)
    {
        uint32_t& top = innermost_[name];
        stack_.push_back({element, top, name});
        top = static_cast<uint32_t>(stack_.size());
    }

    void Pop()
    {
        const Entry& e = stack_.back();
        if (e.below == 0) {
            innermost_.erase(e.name);
        } else {
            innermost_[e.name] = e.below;
        }
        stack_.pop_back();
    }

    // Depth, counted from 1 at the outermost, of the innermost open element named name; 0: none.
    size_t DepthOf(std::u16string_view name) const
    {
        const auto found = innermost_.find(name);
        return found == innermost_.end() ? 0 : found->second;
    }

private:
    struct Entry {
        uint32_t element;
        uint32_t below;   // depth of the next open element of the same name further out; 0: none
        std::u16string_view name;
    };
    std::vector<Entry> stack_;
    std::unordered_map<std::u16string_view, uint32_t, std::hash<std::u16string_view>, CountedEqual> innermost_;
};

}  // namespace

XmlDocument::XmlDocument()
{
    Reset();
}

void XmlDocument::Reset()
{
    text_.clear();
    elements_.assign(1, Element{});
    wellFormed_ = false;
    diag_.Clear();
    parent_ = current_ = 0;
    endTagComparisons_ = 0;
}

bool XmlDocument::LoadFile(const std::wstring& path)
{
    std::string bytes;
    if (!ReadFileBytes(path, kMaxFileBytes, bytes)) {
        Reset();
        diag_.Note(L"file_error", path);
        return false;
    }
    return LoadFromBytes(bytes);
}

bool XmlDocument::LoadFromBytes(std::string_view bytes)
{
    Reset();
    if (bytes.size() > kMaxFileBytes) {
        diag_.Note(L"file_error", L"larger than " + std::to_wstring(kMaxFileBytes) + L" bytes");
        return false;
    }
    text_ = DecodeXmlBytes(bytes, diag_);
    Parse();
    return wellFormed_;
}

// One pass over the text. Open elements are kept on an explicit stack, so deep nesting costs
// memory, never the call stack. Every error is noted and parsing goes on where it can, so the
// notes show all problems of a file at once.
void XmlDocument::Parse()
{
    const std::u16string_view t = text_;
    const size_t n = t.size();
    OpenElements open(endTagComparisons_);
    size_t roots = 0;
    bool doctypeSeen = false;
    bool error = false;
    // The detail is made only while the notes still take it: a hostile file has millions of errors.
    auto fail = [&](const wchar_t* word, auto detail) {
        error = true;
        if (diag_.IsFull()) return;
        diag_.Note(word, detail());
    };

    size_t pos = 0;
    while (pos < n) {
        const size_t lt = t.find(u'<', pos);
        const size_t textEnd = lt == npos ? n : lt;
        if (open.Empty() && HasNonBlank(t, pos, textEnd))
            fail(roots == 0 ? L"first_tag_syntax" : L"root_has_sibling", [&] { return L"text " + At(pos); });
        if (lt == npos) break;
        pos = lt;

        if (StartsWith(t, pos, u"<?")) {
            const size_t close = t.find(u"?>", pos + 2);
            if (close == npos) {
                fail(L"unterminated_tag_syntax", [&] { return L"processing instruction " + At(pos); });
                break;
            }
            pos = close + 2;
        } else if (StartsWith(t, pos, u"<!--")) {
            const size_t close = t.find(u"-->", pos + 4);
            if (close == npos) {
                fail(L"comment_tag_syntax", [&] { return At(pos); });
                break;
            }
            pos = close + 3;
        } else if (StartsWith(t, pos, u"<![CDATA[")) {
            const size_t close = t.find(u"]]>", pos + 9);
            if (close == npos) {
                fail(L"cdata_section_syntax", [&] { return At(pos); });
                break;
            }
            if (open.Empty())
                fail(L"cdata_section_syntax", [&] { return L"outside the root element " + At(pos); });
            pos = close + 3;
        } else if (StartsWith(t, pos, u"<!DOCTYPE")) {
            const size_t close = xml::ScanDoctype(t, pos);
            if (close == npos) {
                fail(L"doctype_tag_syntax", [&] { return L"unterminated " + At(pos); });
                break;
            }
            if (doctypeSeen || roots > 0 || !open.Empty())
                fail(L"doctype_tag_syntax", [&] { return L"misplaced " + At(pos); });
            doctypeSeen = true;
            pos = close;
        } else if (StartsWith(t, pos, u"<!")) {
            fail(L"exclamation_tag_syntax", [&] { return At(pos); });
            const size_t close = t.find(u'>', pos + 2);
            if (close == npos) break;
            pos = close + 1;
        } else if (StartsWith(t, pos, u"</")) {
            const size_t nameEnd = xml::ScanName(t, pos + 2);
            const size_t close = xml::SkipBlanks(t, nameEnd);
            if (nameEnd == pos + 2 || close >= n || t[close] != u'>') {
                fail(L"unterminated_tag_syntax", [&] { return L"end tag " + At(pos); });
                const size_t next = t.find(u'>', pos + 2);
                if (next == npos) break;
                pos = next + 1;
                continue;
            }
            const std::u16string_view name = t.substr(pos + 2, nameEnd - pos - 2);
            const size_t depth = open.DepthOf(name);
            if (depth == 0) {
                fail(L"lone_end_tag", [&] { return Named(name, pos); });
            } else {
                while (open.Depth() > depth) {
                    Element& unended = elements_[open.Innermost()];
                    fail(L"unended_start_tag", [&] { return Named(TagName(unended), unended.start); });
                    unended.end = static_cast<uint32_t>(pos);
                    open.Pop();
                }
                elements_[open.Innermost()].end = static_cast<uint32_t>(close + 1);
                open.Pop();
            }
            pos = close + 1;
        } else {
            // A start tag or an empty-element tag.
            const size_t nameEnd = xml::ScanName(t, pos + 1);
            if (nameEnd == pos + 1) {
                fail(L"unterminated_tag_syntax", [&] { return L"\"<\" starts no markup " + At(pos); });
                ++pos;
                continue;
            }
            size_t scan = nameEnd;
            bool empty = false;
            bool closed = false;
            for (;;) {
                const size_t after = xml::SkipBlanks(t, scan);
                if (after >= n) break;
                if (t[after] == u'>') {
                    scan = after + 1;
                    closed = true;
                    break;
                }
                if (t[after] == u'/' && after + 1 < n && t[after + 1] == u'>') {
                    scan = after + 2;
                    closed = empty = true;
                    break;
                }
                xml::AttributeSpan span;
                if (after == scan || (scan = xml::ScanAttribute(t, after, span)) == npos) break;
            }
            if (!closed) {
                fail(L"unterminated_tag_syntax", [&] { return Named(t.substr(pos + 1, nameEnd - pos - 1), pos); });
                const size_t next = t.find(u'>', pos + 1);
                if (next == npos) break;
                pos = next + 1;
                continue;
            }
            const uint32_t parent = open.Empty() ? 0 : open.Innermost();
            if (open.Empty() && ++roots > 1)
                fail(L"root_has_sibling", [&] { return Named(t.substr(pos + 1, nameEnd - pos - 1), pos); });
            Element e;
            e.start = static_cast<uint32_t>(pos);
            e.nameEnd = static_cast<uint32_t>(nameEnd);
            e.tagEnd = static_cast<uint32_t>(scan);
            e.end = static_cast<uint32_t>(scan);
            e.parent = parent;
            const auto index = static_cast<uint32_t>(elements_.size());
            elements_.push_back(e);
            Element& p = elements_[parent];
            if (p.lastChild == 0) {
                p.firstChild = index;
            } else {
                elements_[p.lastChild].nextSibling = index;
            }
            p.lastChild = index;
            if (!empty) open.Push(index, t.substr(pos + 1, nameEnd - pos - 1));
            pos = scan;
        }
    }
    for (size_t depth = 1; depth <= open.Depth(); ++depth) {
        Element& unended = elements_[open.ElementAt(depth)];
        fail(L"unended_start_tag", [&] { return Named(TagName(unended), unended.start); });
        unended.end = static_cast<uint32_t>(n);
    }
    if (roots == 0) fail(L"no_root_element", [] { return std::wstring(); });
    elements_[0].end = static_cast<uint32_t>(n);
    wellFormed_ = !error;
    if (wellFormed_) diag_.Note(L"well_formed", std::to_wstring(elements_.size() - 1) + L" elements");
}

std::u16string_view XmlDocument::TagName(const Element& e) const
{
    return std::u16string_view(text_).substr(e.start + 1, e.nameEnd - e.start - 1);
}

bool XmlDocument::NameMatches(const Element& e, std::u16string_view name) const
{
    return name.empty() || TagName(e) == name;
}

bool XmlDocument::FindElement(std::wstring_view name)
{
    const std::u16string wanted = WideToUtf16(name);
    size_t candidate = current_ != 0 ? elements_[current_].nextSibling : elements_[parent_].firstChild;
    for (; candidate != 0; candidate = elements_[candidate].nextSibling) {
        if (NameMatches(elements_[candidate], wanted)) {
            current_ = candidate;
            return true;
        }
    }
    return false;
}

bool XmlDocument::EnterElement()
{
    if (current_ == 0) return false;
    parent_ = current_;
    current_ = 0;
    return true;
}

bool XmlDocument::OutOfElement()
{
    if (parent_ == 0) return false;
    current_ = parent_;
    parent_ = elements_[parent_].parent;
    return true;
}

std::wstring XmlDocument::GetAttribute(std::wstring_view name) const
{
    if (current_ == 0) return {};
    const Element& e = elements_[current_];
    const std::u16string wanted = WideToUtf16(name);
    // The tag was checked while parsing; the scan still stays inside it.
    const std::u16string_view tag = std::u16string_view(text_).substr(0, e.tagEnd);
    size_t pos = e.nameEnd;
    for (;;) {
        const size_t at = xml::SkipBlanks(tag, pos);
        if (at >= tag.size() || !xml::IsNameStart(tag[at])) return {};
        xml::AttributeSpan span;
        pos = xml::ScanAttribute(tag, at, span);
        if (pos == npos) return {};
        if (tag.substr(span.nameStart, span.nameEnd - span.nameStart) == wanted)
            return Utf16ToWide(xml::ResolveReferences(tag.substr(span.valueStart, span.valueEnd - span.valueStart)));
    }
}

std::wstring XmlDocument::GetTagName() const
{
    if (current_ == 0) return {};
    return Utf16ToWide(TagName(elements_[current_]));
}

}  // namespace qx
