#include "CentreOnWorkArea.h"

namespace {

LONG CentredEdge(LONG start, LONG end, LONG areaStart, LONG areaEnd)
{
    LONG size = end - start;
    LONG edge = (areaStart + areaEnd) / 2 - size / 2;
    if (edge < areaStart)
        return areaStart;
    if (edge + size > areaEnd)
        return areaEnd - size;
    return edge;
}

} // namespace

POINT CentredPosition(const RECT &window, const RECT &workArea)
{
    return {CentredEdge(window.left, window.right, workArea.left, workArea.right),
            CentredEdge(window.top, window.bottom, workArea.top, workArea.bottom)};
}

void CentreOnWorkArea(HWND window)
{
    RECT bounds;
    RECT workArea;
    if (!GetWindowRect(window, &bounds) || !SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0))
        return;
    POINT corner = CentredPosition(bounds, workArea);
    SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}
