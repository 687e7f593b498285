#include "ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

ModalDialogs *ModalDialogs::s_current = nullptr;

ModalDialogs::ModalDialogs()
{
    s_current = this;
    qApp->installEventFilter(this);
    connect(&m_watchdog, &QTimer::timeout, this, &ModalDialogs::watch);
    m_watchdog.start(100);
}

ModalDialogs::~ModalDialogs()
{
    qApp->removeEventFilter(this);
    s_current = nullptr;
    for (const Answer &unused : m_answers)
        ADD_FAILURE() << "the test expected a modal " << unused.type << " that never opened";
}

bool ModalDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow() && widget->isModal())
            answer(widget);
    }
    return false;
}

void ModalDialogs::answer(QWidget *dialog)
{
    for (auto it = m_answers.begin(); it != m_answers.end(); ++it) {
        if (!dialog->inherits(it->type))
            continue;
        auto apply = std::move(it->apply);
        m_answers.erase(it);
        // Answer from the dialog's own event loop, which runs once show() has returned.
        QMetaObject::invokeMethod(
            this, [target = QPointer<QWidget>(dialog), apply] {
                if (target)
                    apply(target);
            },
            Qt::QueuedConnection);
        return;
    }
}

void ModalDialogs::watch()
{
    QWidget *open = QApplication::activeModalWidget();
    if (open != m_open) {
        m_open = open;
        m_openFor.start();
        return;
    }
    if (!open || m_openFor.elapsed() <= kOpenLimitMs)
        return;
    ADD_FAILURE() << "a modal " << open->metaObject()->className() << " \""
                  << open->windowTitle().toStdString() << "\" was left open for more than "
                  << kOpenLimitMs / 1000 << " s; closed it";
    if (auto *dialog = qobject_cast<QDialog *>(open))
        dialog->reject();
    else
        open->close();
    m_open = nullptr;
}
