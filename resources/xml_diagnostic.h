#pragma once
// The running notes of one XML load: what the decoder found and every error of the parse, one
// line each ("word" or "word: detail"). The number of lines is capped, so a file full of errors
// cannot make the notes grow without bound.
#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

class XmlDiagnostic {
public:
    static constexpr size_t kMaxLines = 64;

    void Clear()
    {
        text_.clear();
        lines_ = 0;
    }
    void Note(std::wstring_view word, std::wstring_view detail = {})
    {
        if (lines_ == kMaxLines) text_ += L"more_notes_omitted\n";
        if (lines_++ >= kMaxLines) return;
        text_.append(word);
        if (!detail.empty()) text_.append(L": ").append(detail);
        text_.push_back(L'\n');
    }
    // True once further notes would only be counted, not kept.
    bool IsFull() const { return lines_ > kMaxLines; }
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
    size_t lines_ = 0;
};

}  // namespace qx
