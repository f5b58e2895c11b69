#pragma once

// Drives modal windows (the hint dialog, the about box, ...) from a polling timer, so that a test
// can trigger a command that runs a modal loop without blocking. Each modal window that comes up
// is recorded by its objectName and handed to the next scripted handler, then to the standing one;
// without either it is closed unanswered, so an unexpected dialog fails the test instead of
// hanging it.

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

class ModalWatcher : public QObject {
public:
    using Handler = std::function<void(QWidget*)>;

    ModalWatcher() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    void then(Handler handler) { m_handlers.append(std::move(handler)); }
    // Answers every window that comes up once the scripted handlers are used up.
    void otherwise(Handler handler) { m_otherwise = std::move(handler); }
    const QStringList& seen() const { return m_seen; }

    static void closeUnanswered(QWidget* w) {
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    }

private:
    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        // A dialog object that comes up again once closed is another showing.
        if (!w)
            m_current = nullptr;
        if (!w || w == m_current)
            return;
        m_current = w;
        m_seen << w->objectName();
        const Handler handler = !m_handlers.isEmpty() ? m_handlers.takeFirst()
                                : m_otherwise         ? m_otherwise
                                                      : Handler(&ModalWatcher::closeUnanswered);
        handler(w);
    }

    QTimer m_timer;
    QPointer<QWidget> m_current;
    QList<Handler> m_handlers;
    Handler m_otherwise;
    QStringList m_seen;
};
