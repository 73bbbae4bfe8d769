#include "assets/ColorIdents.h"

namespace ik {

namespace {
constexpr int32_t kSystemColor = static_cast<int32_t>(0x80000000u);

const IdentEntry kColorIdents[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", kSystemColor | 0},
    {"clBackground", kSystemColor | 1},
    {"clActiveCaption", kSystemColor | 2},
    {"clInactiveCaption", kSystemColor | 3},
    {"clMenu", kSystemColor | 4},
    {"clWindow", kSystemColor | 5},
    {"clWindowFrame", kSystemColor | 6},
    {"clMenuText", kSystemColor | 7},
    {"clWindowText", kSystemColor | 8},
    {"clCaptionText", kSystemColor | 9},
    {"clActiveBorder", kSystemColor | 10},
    {"clInactiveBorder", kSystemColor | 11},
    {"clAppWorkSpace", kSystemColor | 12},
    {"clHighlight", kSystemColor | 13},
    {"clHighlightText", kSystemColor | 14},
    {"clBtnFace", kSystemColor | 15},
    {"clBtnShadow", kSystemColor | 16},
    {"clGrayText", kSystemColor | 17},
    {"clBtnText", kSystemColor | 18},
    {"clInactiveCaptionText", kSystemColor | 19},
    {"clBtnHighlight", kSystemColor | 20},
    {"cl3DDkShadow", kSystemColor | 21},
    {"cl3DLight", kSystemColor | 22},
    {"clInfoText", kSystemColor | 23},
    {"clInfoBk", kSystemColor | 24},
};
}  // namespace

std::span<const IdentEntry> colorIdents() { return kColorIdents; }

std::optional<int32_t> IdentToInt(std::span<const IdentEntry> table, std::string_view name) {
    for (const IdentEntry& entry : table) {
        if (SameText(entry.name, name)) return entry.value;
    }
    return std::nullopt;
}

}  // namespace ik
