#pragma once
// Frame arithmetic for top-level windows, without a toolkit. A window manager draws a frame
// (title bar and borders) around a window's client area; saved positions and switching work
// on the frame's top-left corner, while a toolkit may only be able to place the client area.
// These functions convert between the two and keep a whole frame on the screen's available
// area (the screen minus panels).

namespace tobrisk {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The frame's thickness on each side of the client area.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const FrameMargins&, const FrameMargins&) = default;
};

// Margins of a frame around a client area; zero when the window manager reports no frame
// (yet) or the rectangles do not nest.
FrameMargins marginsBetween(const Rect& frame, const Rect& client);

// Where the client area goes so that the frame's top-left corner lands on `frameTopLeft`.
Point clientForFrame(Point frameTopLeft, const FrameMargins& margins);

Size frameSize(Size client, const FrameMargins& margins);

// A frame top-left pulled back so that the whole frame lies on `area`: right and bottom
// edges first, then left and top, so a frame larger than the area keeps its title bar on it.
Point pullBackOnto(Point frameTopLeft, Size frame, const Rect& area);

// The largest client size whose frame fits on `area`, never larger than `wanted`.
Size fitClientOnto(Size wanted, const FrameMargins& margins, const Rect& area);

}  // namespace tobrisk
