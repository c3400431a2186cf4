// Handles the modal dialogs that come up while a test waits in a handler: a
// timer checks for the active modal widget and hands each new one to
// `handle`, which must close it. Assertions go after the handler returns, as
// a failed one inside `handle` would leave the dialog open.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget *)> handle) : handle_(std::move(handle))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == last_)
                return;
            last_ = modal;
            ++count_;
            handle_(modal);
            // A dialog that was closed may be shown again, as a new one.
            if (!modal->isVisible())
                last_ = nullptr;
        });
        timer_.start(10);
    }

    // How many modal dialogs came up.
    int count() const { return count_; }

private:
    std::function<void(QWidget *)> handle_;
    QTimer timer_;
    QPointer<QWidget> last_;
    int count_ = 0;
};

// The shape of the application-wide cursor; Qt::BitmapCursor stands for "none set".
inline Qt::CursorShape OverrideShape()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor;
}

// How many application-wide cursors are stacked; restores them afterwards.
inline int OverrideDepth()
{
    QList<Qt::CursorShape> shapes;
    while (const QCursor *cursor = QApplication::overrideCursor()) {
        shapes.prepend(cursor->shape());
        QApplication::restoreOverrideCursor();
    }
    for (Qt::CursorShape shape : shapes)
        QApplication::setOverrideCursor(shape);
    return int(shapes.size());
}

// What a modal box showed, read while it was up.
struct BoxSeen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QPoint centre;
    Qt::CursorShape cursor = Qt::BitmapCursor;
    int cursorDepth = -1;
};

inline BoxSeen Inspect(QWidget *modal)
{
    BoxSeen seen;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.centre = box->frameGeometry().center();
    }
    seen.cursor = OverrideShape();
    seen.cursorDepth = OverrideDepth();
    return seen;
}
