// Finding a program's window on the X server by its name, for the benchmarks that start
// a program and watch its window.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <initializer_list>

// Whether the window's _NET_WM_NAME or WM_NAME, in whatever encoding, contains part.
inline bool nameContains(Display *d, Window w, const char *part)
{
    for (const char *property : {"_NET_WM_NAME", "WM_NAME"}) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        if (XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 1024, False,
                               AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
            data) {
            const bool match = std::strstr(reinterpret_cast<char *>(data), part) != nullptr;
            XFree(data);
            if (match)
                return true;
        }
    }
    return false;
}

// The first viewable window under w whose name contains part, or None.
inline Window findViewable(Display *d, Window w, const char *part)
{
    XWindowAttributes attrs;
    if (XGetWindowAttributes(d, w, &attrs) && attrs.map_state == IsViewable &&
        nameContains(d, w, part))
        return w;
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return None;
    Window found = None;
    for (unsigned int i = 0; i < count && found == None; ++i)
        found = findViewable(d, children[i], part);
    if (children)
        XFree(children);
    return found;
}

// Whether text is drawn in the window's text area: dark pixels on a mostly light ground in
// a band below the menu bar, where both the editor and the minimal program show the first
// lines of a document. The menu bar's own captions lie above the band; a window not yet
// painted reads as black.
inline bool textDrawn(Display *d, Window w)
{
    constexpr int kLeft = 5, kTop = 40, kWidth = 300, kHeight = 80, kDarkPixels = 20;
    XWindowAttributes attrs;
    if (!XGetWindowAttributes(d, w, &attrs) || attrs.width < kLeft + kWidth ||
        attrs.height < kTop + kHeight)
        return false;
    XImage *image = XGetImage(d, w, kLeft, kTop, kWidth, kHeight, AllPlanes, ZPixmap);
    if (!image)
        return false;
    int dark = 0, light = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const unsigned long r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
            if (r < 80 && g < 80 && b < 80)
                ++dark;
            else if (r > 200 && g > 200 && b > 200)
                ++light;
        }
    }
    XDestroyImage(image);
    return dark >= kDarkPixels && light >= kWidth * kHeight / 2;
}
