#include "platform/ui/UiThread.h"
#include "platform/ui/UiThreadWake.h"

#include <QCoreApplication>
#include <QThread>

bool IsUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

bool UiThreadExists() { return QCoreApplication::instance() != nullptr; }

void WakeUiThread()
{
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            app, [] { DeliverCarriedCalls(); }, Qt::QueuedConnection);
    }
}
