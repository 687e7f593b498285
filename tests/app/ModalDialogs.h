#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

// Answers the modal dialogs a test expects, each as it opens, and keeps a forgotten dialog from
// hanging the run: one left open for more than ten seconds fails the test with its class and
// title and is closed. An expected dialog that never opened fails the test too.
class ModalDialogs : public QObject
{
public:
    static constexpr int kOpenLimitMs = 10000;

    ModalDialogs();
    ~ModalDialogs() override;

    // The dialogs of this test; null between tests.
    static ModalDialogs *current() { return s_current; }

    // Runs `answer` on the next modal dialog of type T to open, inside its event loop.
    template <typename T> void expect(std::function<void(T *)> answer)
    {
        m_answers.push_back({T::staticMetaObject.className(),
                             [answer](QWidget *dialog) { answer(static_cast<T *>(dialog)); }});
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Answer
    {
        const char *type;
        std::function<void(QWidget *)> apply;
    };
    void answer(QWidget *dialog);
    void watch();

    static ModalDialogs *s_current;
    std::deque<Answer> m_answers;
    QTimer m_watchdog;
    QPointer<QWidget> m_open;
    QElapsedTimer m_openFor;
};
