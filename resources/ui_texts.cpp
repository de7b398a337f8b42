#include "resources/ui_texts.h"

#include <algorithm>
#include <iterator>

#include "app/language.h"

namespace qx {
namespace {

struct UIText {
    int index;
    const wchar_t* english;
    const wchar_t* chinese;
};

// Non-ASCII characters are written as \u escapes so the wide literals come out the same whatever
// the source charset, as UTF-16 on Windows and UTF-32 elsewhere (all lie in the BMP). Sorted by
// index for the binary search. Several effect names appear twice: each keyboard family's lighting
// page numbers its own effect buttons.
constexpr UIText kUITexts[] = {
    {7, L"Exit", L"\u9000\u51fa"},  // 退出
    {30, L"Reset", L"\u91cd\u7f6e"},  // 重置
    {31, L"Profile A", L"\u6a21\u5f0f A"},  // 模式 A
    {32, L"Profile B", L"\u6a21\u5f0f B"},  // 模式 B
    {33, L"Profile C", L"\u6a21\u5f0f C"},  // 模式 C
    {34, L"Profile D", L"\u6a21\u5f0f D"},  // 模式 D
    {35, L"Profile E", L"\u6a21\u5f0f E"},  // 模式 E
    {50, L"System Commands", L"\u7cfb\u7edf\u547d\u4ee4"},  // 系统命令
    {51, L"Multimedia", L"\u591a\u5a92\u4f53"},  // 多媒体
    {52, L"Macro", L"\u5b8f\u547d\u4ee4"},  // 宏命令
    {53, L"Mouse Function", L"\u9f20\u6807\u529f\u80fd"},  // 鼠标功能
    {54, L"Key Commands", L"\u952e\u76d8\u547d\u4ee4"},  // 键盘命令
    {55, L"Light Up RGB", L"\u70b9\u4eae\u706f\u5149RGB"},  // 点亮灯光RGB
    {56, L"Default", L"\u9ed8\u8ba4"},  // 默认
    {60, L"Close Window", L"\u5173\u95ed\u7a97\u53e3"},  // 关闭窗口
    {61, L"Toggle Window", L"\u5207\u6362\u7a97\u53e3"},  // 切换窗口
    {62, L"Show Desktop", L"\u663e\u793a\u684c\u9762"},  // 显示桌面
    {63, L"Undo", L"\u64a4\u9500"},  // 撤销
    {64, L"Select All", L"\u5168\u9009"},  // 全选
    {65, L"Find", L"\u67e5\u627e"},  // 查找
    {66, L"New", L"\u65b0\u5efa"},  // 新建
    {67, L"Print", L"\u6253\u5370"},  // 打印
    {68, L"Save", L"\u4fdd\u5b58"},  // 保存
    {69, L"Run", L"\u8fd0\u884c"},  // 运行
    {70, L"Lock PC", L"\u9501\u5b9a\u7535\u8111"},  // 锁定电脑
    {75, L"Play/Pause", L"\u64ad\u653e/\u6682\u505c"},  // 播放/暂停
    {76, L"Stop", L"\u505c\u6b62"},  // 停止
    {77, L"Previous", L"\u4e0a\u4e00\u66f2\u76ee"},  // 上一曲目
    {78, L"Next", L"\u4e0b\u4e00\u66f2\u76ee"},  // 下一曲目
    {79, L"Volume+", L"\u97f3\u91cf+"},  // 音量+
    {80, L"Volume\u2014", L"\u97f3\u91cf-"},  // Volume— / 音量-
    {81, L"Mute", L"\u9759\u97f3"},  // 静音
    {82, L"Left Button", L"\u5de6\u952e"},  // 左键
    {83, L"Right Button", L"\u53f3\u952e"},  // 右键
    {84, L"Middle Button", L"\u4e2d\u952e"},  // 中键
    {85, L"Forward", L"\u524d\u8fdb"},  // 前进
    {86, L"Backward", L"\u540e\u9000"},  // 后退
    {90, L"Please enter the keyboard keys", L"\u8bf7\u8f93\u5165\u952e\u76d8\u6309\u952e"},  // 请输入键盘按键
    {91, L"Cancel", L"\u53d6\u6d88"},  // 取消
    {92, L"OK", L"\u786e\u5b9a"},  // 确定
    {93, L"Turn Off", L"\u5173\u95ed\u706f\u5149"},  // 关闭灯光
    {200, L"Default", L"\u677f\u8f7d\u706f\u6548"},  // 板载灯效
    {201, L"Continued", L"\u5e38\u4eae"},  // 常亮
    {202, L"SingleOn", L"\u5355\u70b9\u4eae"},  // 单点亮
    {203, L"SingleOff", L"\u5355\u70b9\u706d"},  // 单点灭
    {204, L"Glittering", L"\u7e41\u661f\u70b9\u70b9"},  // 繁星点点
    {205, L"Fallen Flowers", L"\u5929\u5973\u6563\u82b1"},  // 天女散花
    {206, L"Colorful Mode", L"\u4e03\u5f69\u753b\u5377"},  // 七彩画卷
    {207, L"Breathing", L"\u5faa\u73af\u547c\u5438"},  // 循环呼吸
    {208, L"SpectrumCycle", L"\u5149\u8c31\u6e10\u53d8"},  // 光谱渐变
    {209, L"Outward", L"\u5f69\u6cc9\u6d8c\u52a8"},  // 彩泉涌动
    {210, L"Series", L"\u6d6e\u5149\u63a0\u5f71"},  // 浮光掠影
    {211, L"Adrift", L"\u968f\u6ce2\u9010\u6d41"},  // 随波逐流
    {212, L"Rotating", L"\u5cf0\u56de\u8def\u8f6c"},  // 峰回路转
    {213, L"Explode", L"\u4e00\u89e6\u5373\u53d1"},  // 一触即发
    {214, L"Launch", L"\u4e00\u77f3\u4e8c\u9e1f"},  // 一石二鸟
    {215, L"Pointing", L"\u6307\u70b9\u6c5f\u5c71"},  // 指点江山
    {216, L"Eggshells", L"\u8dd1\u9a6c\u6e38\u9f99"},  // 跑马游龙
    {220, L"Continued", L"\u5e38\u4eae"},  // 常亮
    {221, L"SingleOn", L"\u5355\u70b9\u4eae"},  // 单点亮
    {222, L"SingleOff", L"\u5355\u70b9\u706d"},  // 单点灭
    {223, L"Adrift", L"\u968f\u6ce2\u9010\u6d41"},  // 随波逐流
    {224, L"Ripples", L"\u6d9f\u6f2a\u6269\u6563"},  // 涟漪扩散
    {225, L"Breathing", L"\u5faa\u73af\u547c\u5438"},  // 循环呼吸
    {226, L"SpectrumCycle", L"\u5149\u8c31\u6e10\u53d8"},  // 光谱渐变
    {227, L"Flowing", L"\u5ddd\u6d41\u4e0d\u606f"},  // 川流不息
    {228, L"Scrolling", L"\u591a\u5f69\u7eb5\u6a2a"},  // 多彩纵横
    {230, L"Turn Off", L"\u5173\u95ed\u706f\u5149"},  // 关闭灯光
    {251, L"Currugated", L"\u6ce2\u7eb9"},  // 波纹
    {252, L"Cloud", L"\u5f69\u4e91\u7eb7\u98de"},  // 彩云纷飞
    {253, L"Serpentine", L"\u5cf0\u56de\u8def\u8f6c"},  // 峰回路转
    {254, L"Spectrum", L"\u5149\u8c31"},  // 光谱
    {255, L"Breath", L"\u547c\u5438"},  // 呼吸
    {256, L"Normal", L"\u5e38\u4eae"},  // 常亮
    {257, L"Reaction", L"\u6309\u952e\u53cd\u5e94"},  // 按键反应
    {258, L"Ripples", L"\u6d9f\u6f2a"},  // 涟漪
    {259, L"Traverse", L"\u5954\u9038\u7edd\u5c18"},  // 奔逸绝尘
    {260, L"Stars", L"\u7e41\u661f\u70b9\u70b9"},  // 繁星点点
    {261, L"Flowers", L"\u767e\u82b1\u9f50\u653e"},  // 百花齐放
    {262, L"Roll", L"\u6eda\u52a8"},  // 滚动
    {263, L"Wave", L"\u5927\u9e4f\u5c55\u7fc5"},  // 大鹏展翅
    {264, L"Cartoon", L"\u539a\u79ef\u8584\u53d1"},  // 厚积薄发
    {265, L"Rain", L"\u96e8\u4e2d\u6f2b\u6b65"},  // 雨中漫步
    {266, L"Scan", L"\u626b\u63cf"},  // 扫描
    {267, L"Surmount", L"\u4f17\u5fd7\u6210\u57ce"},  // 众志成城
    {268, L"Speed", L"\u901f\u5ea6\u6fc0\u60c5"},  // 速度激情
    {350, L"Create Macro", L"\u521b\u5efa\u5b8f"},  // 创建宏
    {351, L"Macro", L"\u5b8f\u547d\u4ee4"},  // 宏命令
    {360, L"Record", L"\u5f55\u5236"},  // 录制
    {361, L"Stop", L"\u505c\u6b62"},  // 停止
    {365, L"Record Options", L"\u5f55\u5236\u9009\u9879"},  // 录制选项
    {366, L"Record Keyboard", L"\u8bb0\u5f55\u952e\u76d8\u4e8b\u4ef6"},  // 记录键盘事件
    {367, L"Record Mouse", L"\u8bb0\u5f55\u9f20\u6807\u4e8b\u4ef6"},  // 记录鼠标事件
    {368, L"Record Delay", L"\u8bb0\u5f55\u5ef6\u65f6"},  // 记录延时
    {370, L"Execute Options", L"\u6267\u884c\u9009\u9879"},  // 执行选项
    {371, L"Repeat Times", L"\u91cd\u590d\u6b21\u6570"},  // 重复次数
    {372, L"Repeat Delay", L"\u91cd\u590d\u5ef6\u8fdf"},  // 重复延迟
    {373, L"Times", L"\u6b21"},  // 次
    {375, L"Save", L"\u4fdd\u5b58"},  // 保存
    {500, L"Device connected!", L"\u8bbe\u5907\u5df2\u8fde\u63a5!"},  // 设备已连接!
    {501, L"Device not connected!", L"\u8bbe\u5907\u672a\u8fde\u63a5!"},  // 设备未连接!
    {502, L"Please connect the device!", L"\u8bf7\u8fde\u63a5\u8bbe\u5907!"},  // 请连接设备!
    {503, L"Reset Successful!", L"\u91cd\u7f6e\u6210\u529f!"},  // 重置成功!
    {505, L"Set Successful!", L"\u8bbe\u7f6e\u6210\u529f!"},  // 设置成功!
};

constexpr bool IsSortedByIndex()
{
    for (size_t i = 1; i < std::size(kUITexts); ++i)
        if (kUITexts[i - 1].index >= kUITexts[i].index) return false;
    return true;
}
static_assert(IsSortedByIndex(), "the text table must be sorted by index without duplicates");

}  // namespace

std::wstring GetUIText(int index, int languageId)
{
    const auto* end = std::end(kUITexts);
    const auto* it = std::lower_bound(std::begin(kUITexts), end, index,
                                      [](const UIText& entry, int key) { return entry.index < key; });
    if (it == end || it->index != index) return {};
    return languageId == kLangChinese ? it->chinese : it->english;
}

std::wstring GetUIText(int index) { return GetUIText(index, CurrentLanguage()); }

}  // namespace qx
