#pragma once

#include <array>

namespace quorlent::help {

// The product's web resources behind the three entries of the 设置 menu. Change them here; the
// menu and anything else that shows them take them from this table.
inline constexpr const char *kHomePage = "https://quorlent.example/";
inline constexpr const char *kManual = "https://quorlent.example/manual.pdf";
inline constexpr const char *kDemoVideo = "https://quorlent.example/demo.rar";

struct Link
{
    const char *actionName; // objectName of the menu action
    const char *caption;    // UTF-8
    const char *address;
};

inline constexpr std::array<Link, 3> kLinks = {{
    {"mnuFrontPage", "软件介绍服务主页(&P)", kHomePage},
    {"mnuDescrb", "软件介绍说明页面(&R)", kManual},
    {"numYanshiDown", "软件演示说明录像下载(&D)", kDemoVideo},
}};

} // namespace quorlent::help
