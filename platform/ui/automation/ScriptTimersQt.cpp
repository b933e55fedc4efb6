#include "platform/ui/automation/ScriptTimers.h"

#include <QObject>
#include <QTimer>

struct ScriptTimers::State {
    QObject context; // the timers' receiver: they die with it
};

ScriptTimers::ScriptTimers() : m_state(std::make_unique<State>()) {}

ScriptTimers::~ScriptTimers() = default;

void ScriptTimers::After(int milliseconds, std::function<void()> fn)
{
    QTimer::singleShot(milliseconds, &m_state->context, std::move(fn));
}

void ScriptTimers::Every(int milliseconds, std::function<void()> fn)
{
    auto* timer = new QTimer(&m_state->context);
    QObject::connect(timer, &QTimer::timeout, &m_state->context, std::move(fn));
    timer->start(milliseconds);
}
