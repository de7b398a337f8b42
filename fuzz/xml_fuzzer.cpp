// Feeds arbitrary bytes to the XML reader and walks whatever tree comes out through every cursor
// operation. Any crash, hang, sanitizer report or broken invariant is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "resources/xml_document.h"

namespace {

constexpr int kStepBudget = 20000;

void Check(bool condition)
{
    if (!condition) std::abort();
}

// Depth-first over the whole tree with a bounded number of steps.
void Walk(qx::XmlDocument& doc, int& steps, int depth)
{
    while (steps-- > 0 && doc.FindElement(L"")) {
        const std::wstring tag = doc.GetTagName();
        Check(!tag.empty());
        (void)doc.GetAttribute(L"code");
        (void)doc.GetAttribute(L"name");
        (void)doc.GetAttribute(tag);
        Check(doc.EnterElement());
        Walk(doc, steps, depth + 1);
        Check(doc.OutOfElement());
        Check(doc.GetTagName() == tag);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qx::XmlDocument doc;
    const bool loaded = doc.LoadFromBytes(bytes);
    Check(loaded == doc.IsWellFormed());
    Check(!doc.GetDiagnostic().empty());
    // Matching end tags stays linear. An element takes at least three bytes ("<a>") and costs
    // its push, pop and end-tag lookup; each compares with at most about twenty names (the index
    // searches its entries one by one while it holds few).
    Check(doc.GetEndTagComparisons() <= 16 * size);

    int steps = kStepBudget;
    // Recursion depth follows the tree only for well-formed documents with few elements; deep
    // trees are walked iteratively below instead.
    if (size < 4096) Walk(doc, steps, 0);

    // Straight down the first children, then back up: no recursion whatever the depth.
    qx::XmlDocument again;
    Check(again.LoadFromBytes(bytes) == loaded);
    int depth = 0;
    while (depth < kStepBudget && again.FindElement(L"") && again.EnterElement()) ++depth;
    while (again.OutOfElement()) --depth;
    Check(depth == 0);
    Check(!again.FindElement(L"\x1F600-no-such-name"));
    return 0;
}
