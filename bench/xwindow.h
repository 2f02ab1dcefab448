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
