#include "app/ExitWhenShown.h"

#include <cstdlib>

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

namespace {

class ExitOnFirstExpose final : public QObject {
public:
    ExitOnFirstExpose(bool beforePainting, QObject* parent) : QObject(parent), beforePainting_(beforePainting) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !exiting_) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isExposed()) {
                if (beforePainting_)
                    std::_Exit(0);
                exiting_ = true;
                // Queued behind the paint the exposure asks for.
                QMetaObject::invokeMethod(
                    this, [] { std::_Exit(0); }, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool beforePainting_;
    bool exiting_ = false;
};

}  // namespace

void ExitWhenShownIfAsked(QGuiApplication& app)
{
    if (!qEnvironmentVariableIsSet("TARNEK_EXIT_WHEN_SHOWN"))
        return;
    const bool mapped = qEnvironmentVariable("TARNEK_EXIT_WHEN_SHOWN") == QLatin1String("mapped");
    app.installEventFilter(new ExitOnFirstExpose(mapped, &app));
}
