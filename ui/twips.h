#pragma once

#include <QFont>
#include <QRect>

// Window geometry is laid out in twips (1/1440 inch); 15 twips make one
// device-independent pixel.
namespace ivc::ui {

constexpr int twips(int t) {
    return (t + 7) / 15;
}

inline QRect twipsRect(int x, int y, int w, int h) {
    return {twips(x), twips(y), twips(w), twips(h)};
}

// The windows' plain sans-serif dialog font at the given size.
QFont dialogFont(double points = 8.0, bool bold = false);

} // namespace ivc::ui
