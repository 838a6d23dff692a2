#include "text_lines_layout.h"

namespace controls {

std::vector<double> LineTops(const std::vector<double>& heights, double top, double areaHeight,
                             int lineSpacing, int verticalAlignment) {
    std::vector<double> tops;
    if (heights.empty())
        return tops;
    const double n = double(heights.size());
    double sum = 0;
    for (double h : heights)
        sum += h;
    const double gap = lineSpacing != 0 ? double(lineSpacing) : (areaHeight - sum) / (n + 1);
    double y;
    switch (verticalAlignment) {
    case kAlignNear:
        y = top + gap;
        break;
    case kAlignFar:
        y = top + areaHeight - sum - n * gap;
        break;
    default:
        y = top + gap + (areaHeight - sum - (n + 1) * gap) / 2;
        break;
    }
    for (double h : heights) {
        tops.push_back(y);
        y += h + gap;
    }
    return tops;
}

} // namespace controls
