#pragma once
// Writes a document's element tree as one line, with the attributes the tests use, by walking
// it through the cursor only: tag(name=..;code=..){children}.
#include <string>

#include "resources/xml_document.h"

namespace qx::test {

inline std::wstring DumpChildren(XmlDocument& doc)
{
    std::wstring out;
    while (doc.FindElement(L"")) {
        out += doc.GetTagName() + L"(name=" + doc.GetAttribute(L"name") + L";code=" + doc.GetAttribute(L"code") + L")";
        if (doc.EnterElement()) {
            const std::wstring children = DumpChildren(doc);
            if (!children.empty()) out += L"{" + children + L"}";
            doc.OutOfElement();
        }
    }
    return out;
}

}  // namespace qx::test
