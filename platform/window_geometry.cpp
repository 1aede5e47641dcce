#include "platform/window_geometry.h"

#include <algorithm>

namespace tobrisk {

FrameMargins marginsBetween(const Rect& frame, const Rect& client) {
    const FrameMargins m{client.x - frame.x, client.y - frame.y,
                         frame.x + frame.width - (client.x + client.width),
                         frame.y + frame.height - (client.y + client.height)};
    if (m.left < 0 || m.top < 0 || m.right < 0 || m.bottom < 0) return {};
    return m;
}

Point clientForFrame(Point frameTopLeft, const FrameMargins& margins) {
    return {frameTopLeft.x + margins.left, frameTopLeft.y + margins.top};
}

Size frameSize(Size client, const FrameMargins& margins) {
    return {client.width + margins.left + margins.right,
            client.height + margins.top + margins.bottom};
}

Point pullBackOnto(Point frameTopLeft, Size frame, const Rect& area) {
    const int x = std::max(area.x, std::min(frameTopLeft.x, area.x + area.width - frame.width));
    const int y = std::max(area.y, std::min(frameTopLeft.y, area.y + area.height - frame.height));
    return {x, y};
}

Size fitClientOnto(Size wanted, const FrameMargins& margins, const Rect& area) {
    const int w = area.width - margins.left - margins.right;
    const int h = area.height - margins.top - margins.bottom;
    return {std::max(1, std::min(wanted.width, w)), std::max(1, std::min(wanted.height, h))};
}

}  // namespace tobrisk
