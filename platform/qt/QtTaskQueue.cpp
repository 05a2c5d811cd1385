#include "platform/qt/QtTaskQueue.h"

#include <QMetaObject>

namespace ondravell::platform {

namespace {
// Nothing may unwind into Qt's thread pool or event loop.
QtTaskQueue::Task guarded(QtTaskQueue::Task task) {
    return [task = std::move(task)] {
        try {
            task();
        } catch (...) {
        }
    };
}
} // namespace

QtTaskQueue::QtTaskQueue() {
    pool_.setMaxThreadCount(maxWorkers);
    sequence_.setMaxThreadCount(1);
}

QtTaskQueue::~QtTaskQueue() {
    pool_.waitForDone();
    sequence_.waitForDone();
}

void QtTaskQueue::runInBackground(Task task) {
    pool_.start(guarded(std::move(task)));
}

void QtTaskQueue::runInSequence(Task task) {
    sequence_.start(guarded(std::move(task)));
}

void QtTaskQueue::runOnMain(Task task) {
    QMetaObject::invokeMethod(&main_, guarded(std::move(task)), Qt::QueuedConnection);
}

} // namespace ondravell::platform
