#pragma once

#include "dialogue/display_field.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

// The main window's controls as data: what each one is, where it stands and how it writes.
//
// Places and sizes are in twips (1/1440 inch) from the top-left corner of the client area, y
// downwards. At 96 logical dpi a device-independent pixel is 15 twips, and every value below is
// a whole number of pixels, so the conversion never rounds.
namespace velmora::controls {

inline constexpr std::string_view windowTitle = "Velmora";

inline constexpr int twipsPerPixel = 15;

struct Colour {
    int red;
    int green;
    int blue;
};

inline constexpr Colour windowBackground{192, 255, 255}; // light cyan
inline constexpr Colour buttonBackground{255, 192, 192}; // light red
inline constexpr Colour lineColour{255, 0, 0};
inline constexpr int lineWidthPixels = 3;

// Bold is weight 700. None of the faces is italic, underlined or struck out. There is no character
// set to choose: font fallback finds a Chinese face for Chinese text.
struct Typeface {
    std::string_view family;
    double pointSize;
    bool bold;
};

inline constexpr Typeface captionFace{"Microsoft Sans Serif", 8.25, true};
inline constexpr Typeface printButtonFace{"MS Sans Serif", 8.25, true};
inline constexpr Typeface titleFace{"宋体", 15.75, true};
inline constexpr Typeface headingFace{"宋体", 12.0, true};

enum class Kind { label, field, button };

struct Control {
    Kind kind;
    std::string_view name;
    std::string_view caption; // blanks included; empty for fields, which open empty
    int left;
    int top;
    int width;
    int height;
    int tabIndex; // labels hold places in the tab order but never take the focus
    Typeface face;
    // What a screen reader announces for a field or button: a field's heading and the label to its
    // left, without the blanks that only space the captions out (the result band's fields also
    // name the band, since its headings repeat those above), a button's caption. A label needs
    // none: it is announced by its caption.
    std::string_view accessibleName;
    bool lightRed;                    // a button drawn on buttonBackground
    std::optional<DisplayField> role; // the field a calculation run writes
};

constexpr Control label(std::string_view name, std::string_view caption, int left, int top,
                        int width, int height, int tabIndex, Typeface face) {
    return {Kind::label, name, caption, left, top, width, height, tabIndex, face, {}, false, {}};
}

// Fields write in the caption face and open empty.
constexpr Control field(std::string_view name, DisplayField role, std::string_view accessibleName,
                        int left, int top, int width, int height, int tabIndex) {
    return {Kind::field, name,     {},          left,           top,   width,
            height,      tabIndex, captionFace, accessibleName, false, role};
}

constexpr Control button(std::string_view name, std::string_view caption,
                         std::string_view accessibleName, int left, int top, int width, int height,
                         int tabIndex, Typeface face, bool lightRed) {
    return {Kind::button, name,     caption, left,           top,      width,
            height,       tabIndex, face,    accessibleName, lightRed, {}};
}

// By row from top to bottom.
inline constexpr std::array<Control, 31> controlTable{{
    label("Label1", "Velmora", 5880, 4440, 3015, 375, 0, titleFace),
    label("Label10", "未知点个数说明", 5040, 5400, 1455, 255, 19, captionFace),
    label("Label14", "起始点高程 ", 7440, 5400, 975, 255, 7, captionFace),
    label("Label15", "闭合点高程 ", 8880, 5400, 975, 255, 8, captionFace),
    field("Text5", DisplayField::countField, "未知点个数说明", 4560, 5640, 2535, 285, 18),
    label("Label12", " Ha", 7080, 5640, 375, 255, 22, captionFace),
    field("Text1", DisplayField::startHeightField, "起始点高程 Ha", 7440, 5640, 1095, 285, 1),
    label("Label13", " Hb", 8520, 5640, 375, 255, 23, captionFace),
    field("Text2", DisplayField::endHeightField, "闭合点高程 Hb", 8880, 5640, 1215, 285, 2),
    label("Label11", "点  名  ", 4800, 6360, 615, 255, 21, captionFace),
    label("Label4", "距离(前后视距和)", 5760, 6360, 1575, 255, 4, captionFace),
    label("Label5", "高   差 ", 7680, 6360, 615, 255, 5, captionFace),
    label("Label9", "高差闭合差 ", 9000, 6360, 975, 255, 17, captionFace),
    label("Label16", " N$", 4200, 6600, 375, 255, 24, captionFace),
    field("Text9", DisplayField::pointNameField, "点名 N$", 4560, 6600, 975, 285, 20),
    label("Label18", " S", 5640, 6600, 255, 255, 26, captionFace),
    field("Text3", DisplayField::sectionLengthField, "距离(前后视距和) S", 5880, 6600, 1215, 285,
          11),
    label("Label17", " dh", 7080, 6600, 375, 255, 25, captionFace),
    field("Text4", DisplayField::heightDiffField, "高差 dh", 7440, 6600, 1095, 285, 12),
    label("Label19", " Fh", 8520, 6600, 375, 255, 27, captionFace),
    field("Text8", DisplayField::misclosureField, "高差闭合差 Fh", 8880, 6600, 1215, 285, 16),
    label("Label6", "( 计 算 结 果 ）", 6240, 7560, 2175, 255, 15, headingFace),
    label("Label2", "点  名", 6360, 8160, 615, 255, 3, captionFace),
    label("Label7", "高   程", 7680, 8160, 615, 255, 6, captionFace),
    label("Label20", " N$", 5760, 8400, 375, 255, 28, captionFace),
    field("Text6", DisplayField::resultNameField, "计算结果 点名 N$", 6120, 8400, 975, 285, 13),
    label("Label21", " Hp", 7200, 8400, 375, 255, 29, captionFace),
    field("Text7", DisplayField::resultHeightField, "计算结果 高程 Hp", 7560, 8400, 1095, 285, 14),
    button("Command1", "进行计算", "进行计算", 5280, 9360, 975, 495, 9, captionFace, true),
    button("Command2", "退出计算", "退出计算", 6600, 9360, 975, 495, 10, captionFace, true),
    button("Command3", "打 印", "打印", 7920, 9360, 975, 495, 30, printButtonFace, false),
}};

// Solid, lineWidthPixels wide, in lineColour; together they frame the display.
struct Line {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

inline constexpr std::array<Line, 6> lineTable{{
    {"Line1", 3960, 3840, 10440, 3840},
    {"Line2", 3960, 3840, 3960, 9120},
    {"Line3", 3960, 9120, 10440, 9120},
    {"Line4", 10440, 3840, 10440, 9120},
    {"Line6", 3960, 5040, 10440, 5040},
    {"Line5", 3960, 7200, 10440, 7200},
}};

// The right and bottom edges of everything the window shows, in twips.
struct Extent {
    int right;
    int bottom;
};

constexpr Extent layoutExtent() {
    Extent extent{0, 0};
    for (const Control& control : controlTable) {
        extent.right = std::max(extent.right, control.left + control.width);
        extent.bottom = std::max(extent.bottom, control.top + control.height);
    }
    for (const Line& line : lineTable) {
        extent.right = std::max({extent.right, line.x1, line.x2});
        extent.bottom = std::max({extent.bottom, line.y1, line.y2});
    }
    return extent;
}

// Free space kept right of and below the layout when the window opens, and when a window smaller
// than the layout is scrolled to its end: enough for the frame's edge to clear the scroll bars.
inline constexpr int openingMargin = 360;
inline constexpr int scrolledMargin = 90;

// The one conversion from twips to device-independent pixels; Qt's high-DPI scaling does the rest.
constexpr int pixels(int twips) {
    return twips / twipsPerPixel;
}

constexpr bool wholePixels(int twips) {
    return twips % twipsPerPixel == 0;
}

static_assert(std::all_of(controlTable.begin(), controlTable.end(),
                          [](const Control& c) {
                              return wholePixels(c.left) && wholePixels(c.top) &&
                                     wholePixels(c.width) && wholePixels(c.height);
                          }),
              "every control stands on whole pixels");
static_assert(std::all_of(lineTable.begin(), lineTable.end(),
                          [](const Line& l) {
                              return wholePixels(l.x1) && wholePixels(l.y1) && wholePixels(l.x2) &&
                                     wholePixels(l.y2);
                          }),
              "every line stands on whole pixels");
static_assert(wholePixels(openingMargin) && wholePixels(scrolledMargin));

} // namespace velmora::controls
