#pragma once

#include <QWidget>

#include <memory>

namespace rw
{

// Makes the statistics window (hidden), for start-up to keep for the whole
// run and show modelessly from the launcher.
std::unique_ptr<QWidget> createStatisticsWindow();

} // namespace rw
