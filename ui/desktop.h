#pragma once

#include <QIcon>
#include <QPalette>
#include <QSize>

class QWidget;

// How the windows meet the desktop: the program's icon, the screen they must fit on and
// the colours of the desktop's palette.
namespace ivc::ui {

// The program's own icon, in every size it comes in.
QIcon applicationIcon();

// Room a window manager takes around a window: a title bar and thin borders.
inline constexpr int kTitleBarAllowance = 32;
inline constexpr int kBorderAllowance = 4;

// Gives a top-level window its design size when that fits the free area of its screen with
// a title bar, and centres it there. When it does not fit, the window gets as much as fits
// and may be resized up to its design size; its content must then scroll.
void fitToScreen(QWidget& window, QSize design);

// A palette whose disabled colours differ from its enabled ones. Some desktop palettes,
// dark ones above all, give both the same base colour, so that an open and a closed
// check box of the weapon grid look alike.
QPalette withDistinctDisabled(QPalette palette);

} // namespace ivc::ui
