#pragma once
// A small read-only XML reader: loads one file, checks that it is well formed, and lets its user
// walk the element tree with a cursor and read attributes. Text content is not kept.
//
// The cursor has a parent (the element whose children are searched; the document itself at the
// start) and a current element among those children, or none before the first search.
// Loading never crashes or hangs on any input; what it found is noted in GetDiagnostic().
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/xml_diagnostic.h"

namespace qx {

class XmlDocument {
public:
    // Files above this size are not read (a file_error), so a wrong path cannot exhaust memory.
    static constexpr size_t kMaxFileBytes = 4u * 1024 * 1024;

    XmlDocument();

    // Reads, decodes and parses the file; the cursor goes to the top level, before the first
    // element. True only when the document is well formed. After a failure the tree holds what
    // could be parsed; callers should not rely on it.
    bool LoadFile(const std::wstring& path);
    // The same for bytes already in memory (everything after reading the file).
    bool LoadFromBytes(std::string_view bytes);

    // Searches forward among the children of the current parent, after the current element (or
    // from the first child), for an element whose tag name equals name exactly (case-sensitive,
    // whole name). An empty name matches any element. On success that element becomes current;
    // on failure the cursor stays where it was.
    bool FindElement(std::wstring_view name);
    // Makes the current element the parent, standing before its first child. False when there is
    // no current element.
    bool EnterElement();
    // Goes back up: the parent becomes the current element again. False at the top level.
    bool OutOfElement();

    // Value of the named attribute of the current element, entity and character references
    // resolved; empty when there is no current element or no such attribute. The first of
    // repeated attributes wins.
    std::wstring GetAttribute(std::wstring_view name) const;
    // Tag name of the current element; empty when there is none.
    std::wstring GetTagName() const;

    bool IsWellFormed() const { return wellFormed_; }
    // Tag names compared by the last load to keep track of open elements and match end tags to
    // them: a bounded number per tag, however deep the nesting. Tests check that it stays so.
    size_t GetEndTagComparisons() const { return endTagComparisons_; }
    // Notes of the last load: encoding found, conversions, every error by its word.
    const std::wstring& GetDiagnostic() const { return diag_.Text(); }

private:
    // Offsets into text_ and indexes into elements_; 32 bits each keeps the index small, and the
    // file size limit keeps every offset far below 2^32.
    struct Element {
        uint32_t start = 0;       // offset of "<"
        uint32_t nameEnd = 0;     // offset after the tag name
        uint32_t tagEnd = 0;      // offset after the start tag's ">"
        uint32_t end = 0;         // offset after the element (end tag or empty tag)
        uint32_t parent = 0;
        uint32_t firstChild = 0;  // 0: none (entry 0 is the document, never anyone's child)
        uint32_t lastChild = 0;
        uint32_t nextSibling = 0;
    };

    void Reset();
    void Parse();
    std::u16string_view TagName(const Element& e) const;
    bool NameMatches(const Element& e, std::u16string_view name) const;

    std::u16string text_;
    std::vector<Element> elements_;   // entry 0 stands for the document
    bool wellFormed_ = false;
    XmlDiagnostic diag_;
    size_t parent_ = 0;
    size_t current_ = 0;
    size_t endTagComparisons_ = 0;
};

}  // namespace qx
