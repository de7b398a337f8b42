// Throughput of the XML reader, in bytes of file per second: the shipped KeyboardLayout.xml, large
// valid documents, and files made to stall it. Each generated shape runs at three sizes; a reader
// that is linear in its input keeps the same MB/s from 256 KB to 4 MB, where quadratic work
// would lose a factor of sixteen. The layout loader over the shipped file shows what a keyboard
// arrival costs.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "resources/keyboard_layout.h"
#include "resources/xml_document.h"
#include "storage/config_database.h"

namespace qx {
namespace {

std::string ShippedLayout()
{
    std::ifstream in(QX_SHIPPED_LAYOUT, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// head, then as many whole pieces as fit into bytes together with tail.
std::string Fill(std::string_view head, std::string_view piece, std::string_view tail, size_t bytes)
{
    std::string out(head);
    while (out.size() + piece.size() + tail.size() <= bytes) out += piece;
    out += tail;
    return out;
}

// Two halves: open tags, then as many end tags.
std::string Nested(std::string_view open, std::string_view close, size_t bytes)
{
    const size_t pairs = bytes / (open.size() + close.size());
    std::string out;
    out.reserve(pairs * (open.size() + close.size()));
    for (size_t i = 0; i < pairs; ++i) out += open;
    for (size_t i = 0; i < pairs; ++i) out += close;
    return out;
}

constexpr char kKeyLine[] =
    "      <key code=\"0x29\" key_index=\"1\" light_index=\"1\" name=\"Esc\" desc=\"Escape &amp; more\" "
    "rect_left=\"2\" rect_top=\"2\" rect_width=\"38\" rect_height=\"38\"/>\n";

std::string Shape(int shape, size_t bytes)
{
    switch (shape) {
    case 0:   // a layout file with many keys
        return Fill("<KeyboardLayout>\n  <LayoutQxKB74 left=\"1\">\n    <KeyItems>\n", kKeyLine,
                    "    </KeyItems>\n  </LayoutQxKB74>\n</KeyboardLayout>\n", bytes);
    case 1:   // deep but properly closed nesting
        return Nested("<a>", "</a>", bytes);
    case 2:   // end tags that match no open element
        return Nested("<a>", "</b>", bytes);
    case 3:   // end tags that each close the outer element again
        return "<r>" + Nested("<a>", "</r>", bytes - 3);
    default:   // one attribute value of ampersands, read back
        return Fill("<r v='", "&", "'/>", bytes);
    }
}

constexpr const char* kShapeNames[] = {"valid_layout", "valid_deep_nesting", "hostile_unmatched_end_tags",
                                       "hostile_outer_end_tags", "hostile_ampersand_value"};

void ReadAndResolve(XmlDocument& doc, std::string_view bytes)
{
    benchmark::DoNotOptimize(doc.LoadFromBytes(bytes));
    if (doc.FindElement(L"")) benchmark::DoNotOptimize(doc.GetAttribute(L"v"));
}

void BM_ShippedLayout(benchmark::State& state)
{
    const std::string bytes = ShippedLayout();
    if (bytes.empty()) state.SkipWithError("shipped KeyboardLayout.xml not found");
    XmlDocument doc;
    for (auto _ : state) benchmark::DoNotOptimize(doc.LoadFromBytes(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ShippedLayout);

class NullView : public KeyboardLayoutView {
public:
    void ClearItem() override {}
    void SetRect(const LayoutRect&) override {}
    void SetKeyboardImage(const std::wstring&) override {}
    void SetKeyPosition(int, int) override {}
    int AddKeyItem(const wchar_t*, const wchar_t*, uint32_t, const LayoutRect&) override { return 0; }
};

// The whole keyboard arrival's layout work for the largest section, database closed.
void BM_ShippedLayoutLoader(benchmark::State& state)
{
    const std::string bytes = ShippedLayout();
    NullView view;
    ConfigDatabase closed;
    KeyboardLayoutTables tables;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadKeyboardLayoutFromBytes(bytes, {L"", L"LayoutQxKB74", 5, 1}, view, closed, tables));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ShippedLayoutLoader);

void BM_Generated(benchmark::State& state)
{
    const int shape = static_cast<int>(state.range(0));
    const std::string bytes = Shape(shape, static_cast<size_t>(state.range(1)));
    state.SetLabel(kShapeNames[shape]);
    XmlDocument doc;
    for (auto _ : state) ReadAndResolve(doc, bytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Generated)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {256 << 10, 1 << 20, XmlDocument::kMaxFileBytes}})
    ->ArgNames({"shape", "bytes"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qx

BENCHMARK_MAIN();
