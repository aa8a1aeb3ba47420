#include "model/print_metrics.h"

#include <cmath>

namespace zembra {

namespace {

int toDevice(int res, int size10, double mm)
{
    if (res == 0 || size10 == 0) {
        return 0;
    }
    return static_cast<int>(std::ceil(res * mm / (size10 / 10.0)));
}

} // namespace

int PrintMetrics::MmToDeviceX(double mm) const
{
    return toDevice(horzRes, horzSize10, mm);
}

int PrintMetrics::MmToDeviceY(double mm) const
{
    return toDevice(vertRes, vertSize10, mm);
}

} // namespace zembra
