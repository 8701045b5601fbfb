#include "tools/stats/StatisticsWindowFactory.h"

#include "tools/stats/TfrmStatistics.h"

namespace rw
{

std::unique_ptr<QWidget> createStatisticsWindow()
{
    return std::make_unique<TfrmStatistics>();
}

} // namespace rw
