#include "model/print_metrics.h"

#include <cmath>

namespace zembra {

namespace {

double exact(int res, int size10, double scale, double mm)
{
    if (res == 0 || size10 == 0) {
        return 0.0;
    }
    return res * mm * scale / (size10 / 10.0);
}

} // namespace

int PrintMetrics::MmToDeviceX(double mm) const
{
    return static_cast<int>(std::ceil(exact(horzRes, horzSize10, scaleX, mm)));
}

int PrintMetrics::MmToDeviceY(double mm) const
{
    return static_cast<int>(std::ceil(exact(vertRes, vertSize10, scaleY, mm)));
}

double PrintMetrics::ExactX(double mm) const
{
    return exact(horzRes, horzSize10, scaleX, mm);
}

} // namespace zembra
