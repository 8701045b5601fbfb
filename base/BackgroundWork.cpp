#include "base/BackgroundWork.h"

#include <QThreadPool>

namespace rw
{

namespace
{

QThreadPool& worker()
{
    static QThreadPool pool;
    // One thread: jobs run one after another, in the order given.
    static const bool oneThread = (pool.setMaxThreadCount(1), true);
    (void)oneThread;
    return pool;
}

} // namespace

void runInBackground(std::function<void()> work)
{
    worker().start(std::move(work));
}

void waitForBackgroundWork()
{
    worker().waitForDone();
}

} // namespace rw
